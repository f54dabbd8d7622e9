#include "XmlDocument.h"

#include "CharEncoding.h"
#include "JsonReaderHandler.h"
#include "NxException.h"
#include "SerializationContext.h"
#include "fastinfoset/FastInfosetReader.h"
#include "frame/Compression.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"
#include "frame/Portable.h"
#include "xml/ExpatReader.h"
#include "xml/QuickXmlReader.h"
#include "xml/XmlDocumentStore.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace NxXmlLib16
{

// A document holds one element record per element and one attribute record per attribute.
static_assert(sizeof(CXmlElement) == 32, "element records are meant to stay at 32 bytes");
static_assert(sizeof(CXmlAttribute) == 16, "attribute records are meant to stay at 16 bytes");

namespace
{

std::atomic<bool> g_asyncFromXmlFile{false};

constexpr std::size_t AsyncChunkSize = 128 * 1024;
constexpr std::size_t InflatePieceSize = 64 * 1024;
constexpr std::string_view XsiNamespace = Namespaces::Xsi;
constexpr std::string_view XmlnsNamespace = Namespaces::Xmlns;

bool IsSchemaInstanceOrXmlns(std::string const & namespaceUri)
{
    return namespaceUri == XsiNamespace || namespaceUri == XmlnsNamespace;
}

} // namespace

void AsyncFromXmlFile(bool async) { g_asyncFromXmlFile.store(async, std::memory_order_relaxed); }

bool IsAsyncFromXmlFile() { return g_asyncFromXmlFile.load(std::memory_order_relaxed); }

CXmlAttribute & CXmlAttribute::operator=(CXmlAttribute const & other)
{
    Refer(other.Stored());
    return *this;
}

void CXmlAttribute::Refer(CXmlAttribute const & stored)
{
    if (&stored == this)
        return;
    m_owner = 0;
    m_name = 0;
    m_tail.original = &stored;
}

std::string CXmlAttribute::GetXPath() const
{
    CXmlName const & name = GetName();
    std::string path = GetOwner()->GetXPath();
    path += "/@";
    if (!name.namespaceUri.empty())
    {
        std::string const prefix = GetOwner()->GetDocument()->LookupAliasFromNamespace(name.namespaceUri.c_str());
        if (!prefix.empty())
        {
            path += prefix;
            path += ':';
        }
    }
    path += name.localName;
    return path;
}

bool CXmlAttribute::IsNamespaceAttribute() const
{
    CXmlName const & name = GetName();
    std::string const & local = name.localName;
    return IsSchemaInstanceOrXmlns(name.namespaceUri) &&
           (local == "xmlns" || local == "type" || local == "schemaLocation" || local == "noNamespaceSchemaLocation");
}

bool CXmlAttribute::IsNilAttribute() const
{
    CXmlName const & name = GetName();
    return IsSchemaInstanceOrXmlns(name.namespaceUri) && name.localName == "nil";
}

CXmlElement & CXmlElement::operator=(CXmlElement const & other)
{
    Refer(other.Stored());
    return *this;
}

void CXmlElement::Refer(CXmlElement const & stored)
{
    if (&stored == this)
        return;
    m_head.original = &stored;
    m_flags = IsCopy;
}

CXmlDocument const * CXmlElement::GetDocument() const
{
    CXmlElement const * element = &Stored();
    while ((element->m_flags & IsRoot) == 0)
        element = element->GetParentElm();
    // The document element's parent link leads to the record that holds the document.
    return *element->At<CXmlDocument const * const>(element->m_head.links.parent);
}

CXmlText CXmlElement::GetAttribute(std::string_view localName, std::string_view namespaceUri) const
{
    for (CXmlAttribute const * attribute : GetAttributes())
    {
        if (attribute->GetLocalName() == localName && attribute->GetNamespaceURI() == namespaceUri)
            return attribute->GetValue();
    }
    return CXmlText();
}

std::string CXmlElement::GetQName() const { return QNameIn(*GetDocument()); }

std::string CXmlElement::GetNameWithPredicate() const { return NameWithPredicateIn(*GetDocument()); }

std::string CXmlElement::GetXPath() const
{
    // Finding the document costs a walk to the root, so it is found once for the whole path.
    std::vector<CXmlElement const *> chain;
    for (CXmlElement const * element = this; element != nullptr; element = element->GetParentElm())
        chain.push_back(element);
    CXmlDocument const & document = *chain.back()->GetDocument();
    // A path counts siblings that may not be read yet; objects read on demand find a fault
    // again in the whole document, where its path is taken.
    if (document.m_store->demand != nullptr)
        throw CReadWholeText();
    std::string path;
    for (auto step = chain.rbegin(); step != chain.rend(); ++step)
    {
        path += '/';
        path += (*step)->NameWithPredicateIn(document);
    }
    return path;
}

CXmlElement * CXmlElement::AwaitFirstChild() const
{
    CDemandXmlReader * const demand = GetDocument()->m_store->demand.get();
    return demand != nullptr ? demand->FirstChild(*this) : nullptr;
}

CXmlElement * CXmlElement::AwaitNextSibling() const
{
    CDemandXmlReader * const demand = GetDocument()->m_store->demand.get();
    return demand != nullptr ? demand->NextSibling(*this) : nullptr;
}

void CXmlElement::AwaitEnd() const
{
    if (CDemandXmlReader * const demand = GetDocument()->m_store->demand.get())
        demand->AwaitEnd(*this);
}

std::string CXmlElement::QNameIn(CXmlDocument const & document) const
{
    CXmlName const & name = GetName();
    if (!name.namespaceUri.empty())
    {
        std::string const prefix = document.LookupAliasFromNamespace(name.namespaceUri.c_str());
        if (!prefix.empty())
            return prefix + ":" + name.localName;
    }
    return name.localName;
}

std::string CXmlElement::NameWithPredicateIn(CXmlDocument const & document) const
{
    std::string name = QNameIn(document);
    CXmlElement const * const parent = GetParentElm();
    if (parent == nullptr)
        return name;
    // Names are stored once per document, so equal names have equal addresses.
    CXmlName const * const own = &GetName();
    std::size_t count = 0;
    std::size_t position = 0;
    for (CXmlElement const * sibling = parent->GetFirstElement(); sibling != nullptr;
         sibling = sibling->GetNextSiblingElement())
    {
        if (&sibling->GetName() == own)
        {
            ++count;
            if (sibling == &Stored())
                position = count;
        }
    }
    if (count > 1)
        name += "[" + std::to_string(position) + "]";
    return name;
}

CXmlDocument::CXmlDocument() : CXmlDocument(nullptr, CSerializationContext::GetDefaultContext()) {}

CXmlDocument::CXmlDocument(CSerializationContext const & context) : CXmlDocument(nullptr, context) {}

CXmlDocument::CXmlDocument(ElementFilter filter) : CXmlDocument(filter, CSerializationContext::GetDefaultContext()) {}

CXmlDocument::CXmlDocument(ElementFilter filter, CSerializationContext const & context)
    : CInstanceMonitor("CXmlDocument"), m_filter(filter), m_context(std::make_unique<CSerializationContext>(context)),
      m_store(std::make_unique<CXmlDocumentStore>())
{
    Init();
}

CXmlDocument::CXmlDocument(CXmlDocument const & other) : CXmlDocument(other.m_filter, *other.m_context) {}

CXmlDocument::~CXmlDocument() = default;

void CXmlDocument::Init() { m_input.Clear(); }

void CXmlDocument::Cleanup()
{
    m_store->Clear();
    m_store->inflated.reset();
    m_namespaceAliases.clear();
    m_input.Clear();
}

void CXmlDocument::Load(char const * fileName)
{
    Cleanup();
    if (IsAsyncFromXmlFile())
    {
        AsyncParse(fileName);
        return;
    }
    ReadFile(fileName);
    Parse(m_input.GetData(), m_input.GetLength());
}

void CXmlDocument::ReadFile(char const * fileName)
{
    CPortableFile file;
    if (!file.OpenForReading(fileName))
        throw CNxException(FormatString(Msg::FailedOpenFile, fileName, GetLastPlatformError()));
    long long const size = file.GetSize();
    if (size < 0)
        throw CNxException(FormatString(Msg::FailedGetFileSize, fileName, GetLastPlatformError()));
    if (static_cast<unsigned long long>(size) > std::numeric_limits<std::uint32_t>::max())
        throw CNxException(FormatString(Msg::FailedReadFile, fileName, EFBIG));
    std::uint32_t const length = static_cast<std::uint32_t>(size);
    unsigned char * bytes = nullptr;
    if (length > 0)
    {
        bytes = static_cast<unsigned char *>(::operator new(length));
        m_input = CBinaryData(bytes, length, true);
    }
    std::size_t total = 0;
    while (total < length)
    {
        long long const count = file.Read(bytes + total, length - total);
        if (count <= 0)
            throw CNxException(FormatString(Msg::FailedReadFile, fileName, count < 0 ? GetLastPlatformError() : 0));
        total += static_cast<std::size_t>(count);
    }
    file.Close();
}

void CXmlDocument::LoadXmlStream(unsigned char const * data, std::size_t length)
{
    if (data == nullptr || length == 0)
        throw CNxException(Msg::XmlStreamEmpty);
    Cleanup();
    Parse(data, length);
}

void CXmlDocument::LoadXml(char const * text)
{
    if (text == nullptr || *text == '\0')
        throw CNxException(Msg::XmlStringEmpty);
    Cleanup();
    ParseText(reinterpret_cast<unsigned char const *>(text), std::strlen(text));
}

void CXmlDocument::LoadXml(unsigned short const * text)
{
    if (text == nullptr || *text == 0)
        throw CNxException(Msg::XmlStringEmpty);
    Cleanup();
    // UTF-16 little-endian behind a byte-order mark, so that the parser recognises it.
    m_input.Append("\xFF\xFE");
    for (unsigned short const * unit = text; *unit != 0; ++unit)
    {
        unsigned char const bytes[2] = {static_cast<unsigned char>(*unit & 0xFF),
                                        static_cast<unsigned char>(*unit >> 8)};
        m_input.Append(bytes, 2);
    }
    ParseText(m_input.GetData(), m_input.GetLength());
}

void CXmlDocument::Parse(unsigned char const * data, std::size_t length)
{
    if (LooksCompressed(data, length) && ParseCompressed(data, length))
        return;
    if (CFastInfosetReader::RecogniseHeader(data, length) == 0)
    {
        ParseText(data, length);
        return;
    }
    if (m_readOnDemand && m_filter == nullptr && StartReadingOnDemand(data, length, true))
        return;
    ParseFastInfoset(data, length);
}

void CXmlDocument::ParseFastInfoset(unsigned char const * data, std::size_t length)
{
    // The Fast Infoset options are made on first use: only for input that is Fast Infoset.
    CFastInfosetReader reader(&m_context->GetFIContext(), this);
    reader.Parse(data, length);
}

bool CXmlDocument::ParseCompressed(unsigned char const * data, std::size_t length)
{
    CInflater inflater(data, length, m_context->GetMaxInflatedSize());
    std::unique_ptr<unsigned char[]> const head(new unsigned char[InflatePieceSize]);
    std::size_t const headLength = inflater.Read(head.get(), InflatePieceSize);
    if (inflater.Failed())
        return false;
    bool const fastInfoset = CFastInfosetReader::RecogniseHeader(head.get(), headLength) != 0;
    bool const onDemand = m_readOnDemand && m_filter == nullptr;
    if (fastInfoset || onDemand)
    {
        // Fast Infoset is read from one block, and so is text that objects are read from while
        // it is parsed; the block stays while they are.
        std::unique_ptr<CInflatedBytes> whole = std::make_unique<CInflatedBytes>();
        bool complete = false;
        try
        {
            complete = whole->ReadAll(inflater, head.get(), headLength);
        }
        catch (CNxException const &)
        {
            if (fastInfoset)
                throw;
        }
        if (!complete)
        {
            if (fastInfoset)
                return false;
            // Text cut short, corrupt or too large is inflated piece by piece into the parser
            // instead, so that a fault in what it holds is reported as when it is loaded.
            whole.reset();
            m_readOnDemand = false;
            return ParseCompressed(data, length);
        }
        unsigned char const * const bytes = whole->GetData();
        std::size_t const count = whole->GetLength();
        m_store->inflated = std::move(whole);
        if (!fastInfoset)
            ParseText(bytes, count);
        else if (!onDemand || !StartReadingOnDemand(bytes, count, true))
            ParseFastInfoset(bytes, count);
        if (!IsReadingOnDemand())
            m_store->inflated.reset(); // the tree holds all of it
        return true;
    }
    // Text goes to the parser piece by piece, inflated straight into the parser's own buffer.
    {
        CExpatReader reader(*this, m_context->GetSchemaType() != SchemaType_DTD, !m_context->GetStripCDATA());
        reader.ParseChunk(reinterpret_cast<char const *>(head.get()), headLength, inflater.Finished());
        while (!inflater.Finished() && !inflater.Failed())
        {
            void * const buffer = reader.GetBuffer(InflatePieceSize);
            std::size_t const count = inflater.Read(static_cast<unsigned char *>(buffer), InflatePieceSize);
            reader.ParseBuffer(count, inflater.Finished());
        }
    }
    if (inflater.Finished())
        return true;
    // Not a whole compressed stream after all: what was read is dropped and the bytes are read as they stand.
    m_store->Clear();
    m_namespaceAliases.clear();
    return false;
}

void CXmlDocument::ParseText(unsigned char const * data, std::size_t length)
{
    bool const namespaces = m_context->GetSchemaType() != SchemaType_DTD;
    if (namespaces && IsLocalTextUtf8())
    {
        if (m_readOnDemand && m_filter == nullptr && StartReadingOnDemand(data, length, false))
            return;
        if (CQuickXmlReader(*this).Read(reinterpret_cast<char const *>(data), length))
            return;
        // Expat reads the whole text again and reports exactly what it finds.
        m_store->Clear();
        m_namespaceAliases.clear();
    }
    ParseWithExpat(data, length);
}

void CXmlDocument::ParseWithExpat(unsigned char const * data, std::size_t length)
{
    CExpatReader reader(*this, m_context->GetSchemaType() != SchemaType_DTD, !m_context->GetStripCDATA());
    reader.ParseChunk(reinterpret_cast<char const *>(data), length, true);
}

bool CXmlDocument::StartReadingOnDemand(unsigned char const * data, std::size_t length, bool fastInfoset)
{
    CXmlDocumentStore & store = *m_store;
    // The walk holds elements by address while more are read.
    if (!store.tree.KeepInPlace())
        return false;
    std::unique_ptr<CSteppedReader> reader;
    if (fastInfoset)
        reader = std::make_unique<CFastInfosetReader>(&m_context->GetFIContext(), this);
    else
        reader = std::make_unique<CQuickXmlReader>(*this);
    store.demand = std::make_unique<CDemandXmlReader>(*this, store, std::move(reader));
    if (store.demand->Start(reinterpret_cast<char const *>(data), length) != CSteppedReader::Progress::GaveUp)
        return true;
    // Not the common form from its start, or a fault in the header: the input is read whole.
    m_store->Clear();
    m_namespaceAliases.clear();
    if (fastInfoset)
        ParseFastInfoset(data, length);
    else
        ParseWithExpat(data, length);
    return true;
}

bool CXmlDocument::IsReadingOnDemand() const { return m_store->demand != nullptr; }

void CXmlDocument::FinishReadingOnDemand()
{
    if (m_store->demand != nullptr)
        m_store->demand->Finish();
}

void CXmlDocument::ReadWholeText()
{
    CDemandXmlReader const & demand = *m_store->demand;
    unsigned char const * const data = reinterpret_cast<unsigned char const *>(demand.GetText());
    std::size_t const length = demand.GetLength();
    bool const gaveUp = demand.GaveUp();
    m_store->Clear();
    m_namespaceAliases.clear();
    m_readOnDemand = false;
    if (CFastInfosetReader::RecogniseHeader(data, length) != 0)
        ParseFastInfoset(data, length);
    else if (gaveUp)
        ParseWithExpat(data, length);
    else
        ParseText(data, length);
}

void CXmlDocument::AsyncParse(char const * fileName)
{
    CPortableFile file;
    if (!file.OpenForReading(fileName))
        throw CNxException(FormatString(Msg::FailedOpenFile, fileName, GetLastPlatformError()));
    CExpatReader reader(*this, m_context->GetSchemaType() != SchemaType_DTD, !m_context->GetStripCDATA());
    // Each chunk is read straight into the parser's buffer and parsed before the next is read.
    for (bool first = true;; first = false)
    {
        void * const buffer = reader.GetBuffer(AsyncChunkSize);
        long long const count = file.Read(buffer, AsyncChunkSize);
        if (count < 0)
            throw CNxException(FormatString(Msg::FailedReadUnnamedFile, GetLastPlatformError()));
        unsigned char const * const bytes = static_cast<unsigned char const *>(buffer);
        if (first && (LooksCompressed(bytes, static_cast<std::size_t>(count)) ||
                      CFastInfosetReader::RecogniseHeader(bytes, static_cast<std::size_t>(count)) != 0))
        {
            // Compressed or Fast Infoset: read whole, as without chunks.
            file.Close();
            ReadFile(fileName);
            Parse(m_input.GetData(), m_input.GetLength());
            return;
        }
        if (count == 0)
        {
            if (m_store->root == 0 && m_store->depth == 0)
                throw CNxException(Msg::InvalidOrEmptyXmlDocument);
            reader.ParseBuffer(0, true);
            break;
        }
        reader.ParseBuffer(static_cast<std::size_t>(count), false);
    }
    if (m_store->root == 0)
        throw CNxException(Msg::InvalidOrEmptyXmlDocument);
}

std::size_t CXmlDocument::GetMaxDepth() const { return m_store->maxDepth; }

CXmlElement * CXmlDocument::GetDocumentElement() const
{
    CXmlDocumentStore const & store = *m_store;
    return store.root == 0 ? nullptr : reinterpret_cast<CXmlElement *>(store.tree.At(store.root));
}

void CXmlDocument::StartTree()
{
    // The first record holds the document, for elements to find it.
    CXmlTreeBuffer & tree = m_store->tree;
    std::size_t const record = tree.Allocate(sizeof(CXmlDocument const *));
    CXmlDocument const * const self = this;
    std::memcpy(tree.At(record), &self, sizeof self);
}

CXmlStoredName const * CXmlDocument::FindName(std::string_view key) const { return m_store->names.Find(key); }

CXmlStoredName const & CXmlDocument::AddName(std::string_view key, std::string_view namespaceUri,
                                             std::string_view localName)
{
    return m_store->names.Add(key, namespaceUri, localName);
}

std::size_t CXmlDocument::SlotOf(CXmlStoredName const & name)
{
    if (name.slot != 0)
        return name.slot;
    // Records find the name through a slot in the tree that holds its address.
    CXmlDocumentStore & store = *m_store;
    std::size_t const slot = store.tree.Allocate(sizeof(CXmlName const *));
    CXmlName const * const address = &name;
    std::memcpy(store.tree.At(slot), &address, sizeof address);
    store.names.AddSlot(name, slot);
    return slot;
}

void CXmlDocument::AddElement(CXmlStoredName const & name, std::vector<CPendingAttribute> const & attributes)
{
    CXmlDocumentStore & store = *m_store;
    CXmlTreeBuffer & tree = store.tree;
    if (tree.GetUsed() == 0)
        StartTree();
    if (attributes.size() > std::numeric_limits<std::uint32_t>::max())
        throw CNxException(Msg::TooManyAttributes);
    std::size_t const mark = tree.GetUsed();
    std::size_t const offset = tree.Allocate(sizeof(CXmlElement) + sizeof(CXmlAttribute) * attributes.size());
    // Values are stored after the attributes; each record is written once its offset is known,
    // as storing may move the tree.
    for (std::size_t i = 0; i < attributes.size(); ++i)
    {
        std::string_view const value = attributes[i].value;
        if (value.size() > std::numeric_limits<std::uint32_t>::max())
            throw CNxException(Msg::AttributeValueTooLong);
        std::size_t const at = offset + sizeof(CXmlElement) + i * sizeof(CXmlAttribute);
        CXmlAttribute attribute{};
        attribute.m_owner = CXmlTreeBuffer::Distance(at, offset);
        attribute.m_name = CXmlTreeBuffer::Distance(at, SlotOf(*attributes[i].name));
        attribute.m_tail.value.length = static_cast<std::uint32_t>(value.size());
        attribute.m_tail.value.distance = value.empty() ? 0 : CXmlTreeBuffer::Distance(at, tree.CopyText(value));
        std::memcpy(tree.At(at), &attribute, sizeof attribute);
    }

    CXmlElement element{};
    element.m_name = CXmlTreeBuffer::Distance(offset, SlotOf(name));
    element.m_attributeCount = static_cast<std::uint32_t>(attributes.size());
    if (store.demand != nullptr)
        element.m_flags = CXmlElement::IsOpen | CXmlElement::IsReadOnDemand;
    std::size_t previousSibling = 0;
    if (store.depth == 0)
    {
        element.m_flags |= CXmlElement::IsRoot;
        element.m_head.links.parent = CXmlTreeBuffer::Distance(offset, 0);
        store.root = offset;
    }
    else
    {
        CXmlOpenElement & parent = store.open[store.depth - 1];
        element.m_head.links.parent = CXmlTreeBuffer::Distance(offset, parent.element);
        previousSibling = parent.lastChild;
        if (previousSibling == 0)
            Element(parent.element).m_firstChild = CXmlTreeBuffer::Distance(parent.element, offset);
        else
            Element(previousSibling).m_head.links.nextSibling = CXmlTreeBuffer::Distance(previousSibling, offset);
        parent.lastChild = offset;
        ++parent.children;
        if (parent.givable == 0)
        {
            parent.givable = offset;
            parent.kept = previousSibling;
        }
    }
    std::memcpy(tree.At(offset), &element, sizeof element);

    if (store.depth == store.open.size())
        store.open.emplace_back();
    CXmlOpenElement & open = store.open[store.depth++];
    if (store.depth > store.maxDepth)
        store.maxDepth = store.depth;
    open.element = offset;
    open.lastChild = 0;
    open.previousSibling = previousSibling;
    open.mark = mark;
    open.content = tree.GetUsed();
    open.givable = 0;
    open.kept = 0;
    open.children = 0;
    open.text.Clear();
}

CXmlElement & CXmlDocument::Element(std::size_t offset) const
{
    return *reinterpret_cast<CXmlElement *>(m_store->tree.At(offset));
}

void CXmlDocument::EndElement()
{
    CXmlDocumentStore & store = *m_store;
    CXmlOpenElement & open = store.open[--store.depth];
    if (!open.text.Empty())
    {
        std::string_view const collected = open.text.View();
        if (collected.size() > std::numeric_limits<std::uint32_t>::max())
            throw CNxException(FormatString(Msg::ElementTextTooLong, Element(open.element).GetLocalName().c_str()));
        std::size_t text = 0;
        // Whitespace that lays out child elements repeats from element to element: one copy
        // serves them all.
        bool const shareable = CXmlLayoutTexts::IsShareable(collected);
        if (shareable)
            text = store.layoutTexts.Find(collected);
        if (text == 0)
        {
            text = store.tree.CopyText(collected);
            if (shareable)
                store.layoutTexts.Add(collected, text);
        }
        CXmlElement & element = Element(open.element);
        element.m_text = CXmlTreeBuffer::Distance(open.element, text);
        element.m_textLength = static_cast<std::uint32_t>(collected.size());
    }
    if (store.demand != nullptr)
        Element(open.element).m_flags &= ~std::uint32_t(CXmlElement::IsOpen);
    store.lastClosed = CXmlClosedElement{open.element, open.content, store.tree.GetUsed()};
    if (m_filter != nullptr && store.depth > 0 && m_filter(&Element(open.element)))
    {
        // The element is its parent's last child and was the last thing built: everything
        // stored since it started belongs to it and goes with it.
        CXmlOpenElement & parent = store.open[store.depth - 1];
        parent.lastChild = open.previousSibling;
        if (open.previousSibling == 0)
            Element(parent.element).m_firstChild = 0;
        else
            Element(open.previousSibling).m_head.links.nextSibling = 0;
        store.tree.Rewind(open.mark);
        store.names.ForgetSlotsFrom(open.mark);
        store.layoutTexts.ForgetFrom(open.mark);
    }
}

void CXmlDocument::AppendTextExcludingCR(char const * text, std::size_t length)
{
    CXmlDocumentStore & store = *m_store;
    if (store.depth == 0)
        return;
    CXmlTextBuilder & target = store.open[store.depth - 1].text;
    char const * const end = text + length;
    while (text < end)
    {
        char const * const cr =
            static_cast<char const *>(std::memchr(text, '\r', static_cast<std::size_t>(end - text)));
        char const * const stop = cr != nullptr ? cr : end;
        target.Append(text, static_cast<std::size_t>(stop - text));
        text = cr != nullptr ? cr + 1 : end;
    }
}

void CXmlDocument::AppendText(char const * text, std::size_t length)
{
    CXmlDocumentStore & store = *m_store;
    if (store.depth > 0)
        store.open[store.depth - 1].text.Append(text, length);
}

void CXmlDocument::AddNamespaceDeclaration(std::string const & prefix, std::string const & namespaceUri)
{
    m_namespaceAliases[prefix] = namespaceUri;
}

std::string CXmlDocument::LookupNamespaceFromAlias(char const * alias) const
{
    std::string const prefix = alias != nullptr ? alias : "";
    auto const found = m_namespaceAliases.find(prefix);
    std::string answer = found == m_namespaceAliases.end() ? std::string() : found->second;
    // Declarations anywhere in the text count: the answer is checked once all of it is read.
    if (m_store->demand != nullptr && !m_store->demand->IsFinished())
        m_store->demand->NoteLookup(true, prefix, answer);
    return answer;
}

std::string CXmlDocument::LookupAliasFromNamespace(char const * namespaceUri) const
{
    std::string answer;
    for (auto const & entry : m_namespaceAliases)
    {
        if (entry.second == namespaceUri)
        {
            answer = entry.first;
            break;
        }
    }
    if (m_store->demand != nullptr && !m_store->demand->IsFinished())
        m_store->demand->NoteLookup(false, namespaceUri, answer);
    return answer;
}

CBinaryData CXmlDocument::LoadJsonFile(char const * fileName)
{
    Cleanup();
    ReadFile(fileName);
    if (m_input.GetLength() == 0)
        throw CNxException(Msg::JsonStreamEmpty);
    return ParseJson(m_input.GetData(), m_input.GetLength());
}

CBinaryData CXmlDocument::LoadJsonStream(unsigned char const * data, std::uint32_t length)
{
    if (data == nullptr || length == 0)
        throw CNxException(Msg::JsonStreamEmpty);
    Cleanup();
    return ParseJson(data, length);
}

CBinaryData CXmlDocument::LoadJson(char const * text)
{
    if (text == nullptr || *text == '\0')
        throw CNxException(Msg::JsonStringEmpty);
    Cleanup();
    if (IsLocalTextUtf8())
        return ParseJsonText(text, std::strlen(text));
    m_input = LocalToUtf8(text);
    return ParseJsonText(reinterpret_cast<char const *>(m_input.GetData()), m_input.GetLength());
}

CBinaryData CXmlDocument::LoadJson(unsigned short const * text)
{
    if (text == nullptr || *text == 0)
        throw CNxException(Msg::JsonStringEmpty);
    Cleanup();
    m_input = WideToUtf8(text);
    return ParseJsonText(reinterpret_cast<char const *>(m_input.GetData()), m_input.GetLength());
}

CBinaryData CXmlDocument::ParseJson(unsigned char const * data, std::size_t length)
{
    if (LooksCompressed(data, length))
    {
        CInflater inflater(data, length, m_context->GetMaxInflatedSize());
        CInflatedBytes whole;
        if (whole.ReadAll(inflater, nullptr, 0))
            return ParseJsonBytes(whole.GetData(), whole.GetLength());
    }
    return ParseJsonBytes(data, length);
}

CBinaryData CXmlDocument::ParseJsonBytes(unsigned char const * data, std::size_t length)
{
    // UTF-16 little-endian: behind its byte-order mark, as UTF-16 JSON files are written, or
    // without one, as in UTF-16 JSON bytes, whose first character is ASCII.
    bool const marked = length >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (marked || (length >= 2 && data[0] != 0 && data[1] == 0))
    {
        std::size_t const start = marked ? 2 : 0;
        std::vector<unsigned short> units((length - start) / 2);
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<unsigned short>(data[start + 2 * i] | (data[start + 1 + 2 * i] << 8));
        std::string text;
        AppendUtf16AsUtf8(units.data(), units.size(), text);
        return ParseJsonText(text.data(), text.size());
    }
    return ParseJsonText(reinterpret_cast<char const *>(data), length);
}

CBinaryData CXmlDocument::ParseJsonText(char const * text, std::size_t length)
{
    if (length > 2 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0)
    {
        text += 3;
        length -= 3;
    }
    return CJsonReaderToXmlHandler::ConvertToXml(std::string_view(text, length), m_context->GetJsonContext());
}

} // namespace NxXmlLib16
