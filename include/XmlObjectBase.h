// CXmlObjectBase: the root of every bindable object, with IEventSink and INillable.
#pragma once

#include "BinaryData.h"
#include "CharEncoding.h"
#include "FastInfosetContext.h"
#include "SerializationContext.h"
#include "XmlWriter.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace NxXmlLib16Data
{
class CElementInfo;
class CAttributeInfo;
} // namespace NxXmlLib16Data

namespace NxXmlLib16
{

class CXmlObjectBase;
class CXmlCollectionBase;
class CElement;
class CXmlDocument;
class CXmlElement;
class CXmlTextWriter;
class CJsonTextWriter;

// The compression of written bytes.
enum CompressionType : std::int32_t
{
    CompressionNone = 0,
    CompressionGZip = 1, // deflate in a gzip wrapper
    CompressionZLib = 2  // deflate in a zlib wrapper; only for the methods that return bytes
};

// Makes ToXmlFile without compression write the file while the document is produced, instead
// of building it in memory first.
void AsyncToXmlFile(bool streamToFile);
// Leaves the banner comment out of every later XML document.
void NoBanner();

// Receives the change notifications of collections.
class IEventSink
{
public:
    // What happened; the data pointer of each kind is described beside it.
    enum MsgType : std::int32_t
    {
        CollectionChange = 0,        // the content changed; data is null
        CollectionAdd = 1,           // an item is about to be added; data points to it
        CollectionAddComplete = 2,   // an item has been added; data points to it
        CollectionRemove = 3,        // an item is about to be removed; data points to its index
        CollectionRemoveComplete = 4 // an item has been removed; data points to its index
    };

    // Called by the source for every change.
    virtual void OnEvent(CXmlObjectBase * source, MsgType type, void * data) = 0;

protected:
    ~IEventSink() = default;
};

// Implemented by generated classes of nillable elements.
class INillable
{
public:
    // True when the object stands for an element marked xsi:nil.
    virtual bool IsNil() const = 0;
    // Marks or unmarks the object as nil.
    virtual void SetNil(bool nil) = 0;

protected:
    ~INillable() = default;
};

// The base of generated classes, collections and open-content holders: element name,
// intrusive reference count, and the guards that generated setters call.
class CXmlObjectBase : public IEventSink
{
public:
    CXmlObjectBase();
    // Copies the element name; the reference count belongs to the object and starts at 0.
    CXmlObjectBase(CXmlObjectBase const & other);
    // Copies the element name and leaves this object's reference count alone.
    CXmlObjectBase & operator=(CXmlObjectBase const & other);

    // Atomically increments the reference count and returns the new value.
    std::int32_t AddRef();
    // Atomically decrements the reference count, deletes the object at 0, returns the new value.
    std::int32_t Release();

    // Virtual operations follow in their slot order, so the sections alternate.

    // The object that stands for this one towards event sinks and writers.
    virtual CXmlObjectBase * GetBase() = 0;

    // Writes the object as an XML file, replacing an existing one (gzip compression allowed).
    virtual void ToXmlFile(char const * fileName, bool includeHeader = true, bool prettyPrint = true,
                           XmlEncoding encoding = XmlEncoding_UTF8, EOLType eol = EOLType_LF,
                           CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
                           CompressionType compression = CompressionNone) const;
    // Writes the object as a Fast Infoset file, replacing an existing one (gzip compression allowed).
    virtual void ToFastInfosetFile(char const * fileName, FInfoDecl declaration = FInfoDecl_None,
                                   CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
                                   CompressionType compression = CompressionNone) const;
    // Writes the object as a JSON file, replacing an existing one (gzip compression allowed).
    virtual void ToJsonFile(char const * fileName, bool prettyPrint = true, XmlEncoding encoding = XmlEncoding_UTF8,
                            EOLType eol = EOLType_LF,
                            CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
                            CompressionType compression = CompressionNone) const;
    // The object as XML text in the library's narrow encoding.
    virtual std::string ToXml(bool includeHeader = true, bool prettyPrint = true, EOLType eol = EOLType_LF,
                              CSerializationContext const & context = CSerializationContext::GetDefaultContext()) const;
    // The object as JSON text in the library's narrow encoding.
    virtual std::string ToJson(
        bool prettyPrint = true, EOLType eol = EOLType_LF,
        CSerializationContext const & context = CSerializationContext::GetDefaultContext()) const;
    // The object as XML bytes in the given encoding, compressed on request.
    virtual CBinaryData ToXmlStream(bool includeHeader = true, bool prettyPrint = true,
                                    XmlEncoding encoding = XmlEncoding_UTF8, EOLType eol = EOLType_LF,
                                    CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
                                    CompressionType compression = CompressionNone) const;
    // The object as Fast Infoset bytes, compressed on request.
    virtual CBinaryData ToFastInfosetStream(
        FInfoDecl declaration = FInfoDecl_None,
        CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
        CompressionType compression = CompressionNone) const;
    // The object as JSON bytes in the given encoding, compressed on request.
    virtual CBinaryData ToJsonStream(bool prettyPrint = true, XmlEncoding encoding = XmlEncoding_UTF8,
                                     EOLType eol = EOLType_LF,
                                     CSerializationContext const & context = CSerializationContext::GetDefaultContext(),
                                     CompressionType compression = CompressionNone) const;
    // Fills the object from an XML file (gzip- or zlib-compressed too).
    virtual void FromXmlFile(char const * fileName,
                             CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from a JSON file (gzip- or zlib-compressed too).
    virtual void FromJsonFile(char const * fileName,
                              CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from zero-terminated UTF-16 XML text.
    virtual void FromXml(unsigned short const * text,
                         CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from XML text.
    virtual void FromXml(char const * text,
                         CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from zero-terminated UTF-16 JSON text.
    virtual void FromJson(unsigned short const * text,
                          CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from JSON text.
    virtual void FromJson(char const * text,
                          CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from XML bytes (gzip- or zlib-compressed too).
    virtual void FromXmlStream(CBinaryData const & data,
                               CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    virtual void FromXmlStream(unsigned char const * data, std::uint32_t length,
                               CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from JSON bytes (gzip- or zlib-compressed too).
    virtual void FromJsonStream(CBinaryData const & data,
                                CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    virtual void FromJsonStream(unsigned char const * data, std::uint32_t length,
                                CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from an open-content element, as if from its XML text.
    virtual void FromXmlElement(CElement const * element,
                                CSerializationContext const & context = CSerializationContext::GetDefaultContext());
    // Fills the object from an element of an already loaded document.
    virtual void FromXmlElement(CXmlElement const * element,
                                CSerializationContext const & context = CSerializationContext::GetDefaultContext());

protected:
    void OnEvent(CXmlObjectBase * source, MsgType type, void * data) override;
    virtual ~CXmlObjectBase();
    // The target namespace of the schema that declared the object's type.
    virtual std::string GetTargetNamespace() const = 0;

public:
    // The namespace of the element under which the object is written.
    virtual std::string GetNamespace() const = 0;

protected:
    // Writes the object's attributes; objects without attributes write nothing.
    virtual void AttributesToXml_Int(CXmlWriter * writer, CSerializationContext const & context) const;
    // Writes the object as one element (a collection as a run of elements).
    virtual void ToXml_Int(CXmlWriter * writer, bool isRoot, char const * namespaceUri,
                           CSerializationContext const & context, bool emptyChoiceAllowed) const = 0;
    // Reads the object; returns the first child element it did not consume, or null.
    virtual CXmlElement * FromXml_Int(CXmlElement * element, CXmlElement * child, CSerializationContext const & context,
                                      bool emptyChoiceAllowed) = 0;

    // The local name under which the object is written and read.
    std::string GetElementName() const;
    std::string const & GetElementNameRef() const { return m_elementName; }
    void SetElementName(char const * name);
    // Lets one object rename another, as a parent names a child it stores.
    static void SetElementName(CXmlObjectBase * object, char const * name);

    // Forwarders to the protected hooks of another object.
    static void AttributesToXml_Int(CXmlObjectBase const * object, CXmlWriter * writer,
                                    CSerializationContext const & context);
    static void ToXml_Int(CXmlObjectBase const * object, CXmlWriter * writer, bool isRoot, char const * namespaceUri,
                          CSerializationContext const & context, bool emptyChoiceAllowed);
    static CXmlElement * FromXml_Int(CXmlObjectBase * object, CXmlElement * element, CXmlElement * child,
                                     CSerializationContext const & context);

    // Tell a sink of a collection's change, with the collection's GetBase() as the source.
    static void FireOnCollectionChangeEvent(IEventSink * sink, CXmlCollectionBase * collection);
    static void FireOnCollectionAddEvent(IEventSink * sink, CXmlCollectionBase * collection, void * item);
    static void FireOnCollectionAddCompleteEvent(IEventSink * sink, CXmlCollectionBase * collection, void * item);
    // The data is a pointer to the index, or null for the index -1.
    static void FireOnCollectionRemoveEvent(IEventSink * sink, CXmlCollectionBase * collection, int index);
    static void FireOnCollectionRemoveCompleteEvent(IEventSink * sink, CXmlCollectionBase * collection, int index);

    // Choice groups: the selection names the one member that is set (empty: none).
    // Sets (valid) or clears the selection for the member; another selected member throws.
    static void Choice_SetElementValid(bool valid, char const * memberName, std::string & selection);
    // Called by a choice member's setter with the new value.
    static void Choice_SelectElement(char const * memberName, CXmlObjectBase * value, std::string & selection);
    // Called when a collection member of a choice changed its item count.
    static void Choice_CollectionChanged(char const * memberName, std::int32_t count, std::string & selection);

    // Reads a collection member of a choice once: when it takes elements, the current child
    // moves on, the count is checked and the read count goes up.
    static void Choice_Read_Collection(CXmlCollectionBase * collection, CXmlElement * parent, CXmlElement *& current,
                                       std::int32_t & readCount, CSerializationContext const & context);

    // Throws when a mandatory property is set to null.
    static void Throw_IfPropertyIsNull(CXmlObjectBase * value, char const * propertyName);
    // Throws when the value's element name is not the one the property requires.
    static void Throw_IfElementNameDiffers(CXmlObjectBase * value, char const * requiredName);

    // Whether the namespace is allowed by a space-separated list of URIs and ##any, ##other,
    // ##local and ##targetNamespace.
    static bool IsNamespaceValid(char const * namespaceUri, char const * allowed, char const * targetNamespace);
    // The same test, throwing CNxInvalidNamespaceException when the namespace is not allowed.
    static void TestNamespace(char const * namespaceUri, char const * allowed, char const * targetNamespace);

    // Whether the element has this local name and, unless namespaces are ignored, this namespace.
    bool DoesElementNameMatch(CSerializationContext const & context, CXmlElement const * element,
                              char const * localName, char const * namespaceUri) const;

private:
    // The metadata drives members' reading and writing through the hooks above.
    friend class NxXmlLib16Data::CElementInfo;
    friend class NxXmlLib16Data::CAttributeInfo;

    // Writes the prologue, the object as the root element, and ends the document.
    void WriteDocument(CXmlTextWriter & writer, bool includeHeader, bool prettyPrint, EOLType eol,
                       CSerializationContext const & context) const;
    // Writes the object as the one member of a JSON document into a begun writer.
    void WriteJsonDocument(CJsonTextWriter & writer, bool prettyPrint, EOLType eol,
                           CSerializationContext const & context) const;
    // Reads the object from a loaded document's root element.
    void ReadRoot(CXmlDocument & document, CSerializationContext const & context);
    // Reads the object from XML converted from JSON, matching names by local name unless the
    // JSON carries namespaces; a failure is reported with the converted text.
    void FromJson_Int(CBinaryData const & xml, CSerializationContext const & context);

    std::string m_elementName;
    std::atomic<std::int32_t> m_refCount{0};
};

} // namespace NxXmlLib16
