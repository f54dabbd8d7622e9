// Measures the XML text layer against a bare Expat parse of the same purchase-order document:
// throughput of loading into the document model and of writing the tree back, and peak memory.
//
//   NxXmlBench [--size-mb N] [--filter-mb N] [--input FILE] [--generator PROGRAM]
//
// Without --input the documents are made by the purchase-order generator, nxpogen by default.
#include "BenchSupport.h"

#include <NxXmlLib16.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace NxXmlLib16;
using namespace NxXmlBench;

namespace
{

struct COptions
{
    int sizeMb = 50;
    int filterMb = 500;
    std::string input;
    std::string generator = NXXML_DEFAULT_GENERATOR;
    std::string self;
};


// Writes the document's tree through the text writer, as the binding layer does.
std::size_t WriteTree(CXmlDocument const & document)
{
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.WriteStartDocument();
    writer.SetIndentation(true);
    writer.SetIndentChars("  ");
    writer.WriteXmlDeclaration();
    std::string value;
    std::vector<CXmlElement const *> open;
    CXmlElement const * element = document.GetDocumentElement();
    while (element != nullptr)
    {
        writer.WriteStartElement(element->GetLocalName(), element->GetNamespaceURI());
        for (CXmlAttribute const * attribute : element->GetAttributes())
        {
            value.assign(attribute->GetValue());
            writer.WriteAttribute(attribute->GetLocalName(), attribute->GetNamespaceURI(), value, ItemType_string);
        }
        if (element->GetFirstElement() == nullptr)
        {
            value.assign(element->GetText());
            writer.WriteText(value, ItemType_string);
        }
        if (element->GetFirstElement() != nullptr)
        {
            open.push_back(element);
            element = element->GetFirstElement();
            continue;
        }
        writer.WriteEndElement();
        while (element->GetNextSiblingElement() == nullptr && !open.empty())
        {
            element = open.back();
            open.pop_back();
            writer.WriteEndElement();
        }
        element = open.empty() ? nullptr : element->GetNextSiblingElement();
    }
    writer.WriteEndDocument();
    return stream.GetLength();
}

bool DropItems(CXmlElement * element) { return element->GetLocalName() == "item"; }

// An object that writes a purchase order of any size without holding it: its items are made up
// as they are written.
class CSyntheticOrder : public CXmlObjectBase
{
public:
    explicit CSyntheticOrder(std::size_t items) : m_items(items) {}
    CXmlObjectBase * GetBase() override { return this; }
    std::string GetNamespace() const override { return "urn:example:po"; }

protected:
    std::string GetTargetNamespace() const override { return "urn:example:po"; }
    void ToXml_Int(CXmlWriter * writer, bool, char const * namespaceUri, CSerializationContext const &,
                   bool) const override
    {
        std::string const ns = namespaceUri;
        writer->SetDefaultNamespace(ns);
        writer->WriteStartElement("purchaseOrder", ns);
        writer->WriteStartElement("items", ns);
        std::string value;
        for (std::size_t i = 0; i < m_items; ++i)
        {
            writer->WriteStartElement("item", ns);
            value = "SKU-" + std::to_string(i);
            writer->WriteAttribute("sku", "", value, ItemType_string);
            writer->WriteStartElement("description", ns);
            writer->WriteText("Foldable aluminium pillow & matching lid", ItemType_string);
            writer->WriteEndElement();
            writer->WriteStartElement("quantity", ns);
            value = std::to_string(i % 100 + 1);
            writer->WriteText(value, ItemType_i4);
            writer->WriteEndElement();
            writer->WriteEndElement();
        }
        writer->WriteEndElement();
        writer->WriteEndElement();
    }
    CXmlElement * FromXml_Int(CXmlElement *, CXmlElement *, CSerializationContext const &, bool) override
    {
        return nullptr;
    }

private:
    std::size_t m_items;
};

// Runs this program again in a fresh process for one memory measurement; returns its peak
// resident memory in bytes.
long long MeasureInChild(COptions const & options, char const * mode, std::string const & path)
{
    pid_t const child = fork();
    if (child == 0)
    {
        execl(options.self.c_str(), options.self.c_str(), mode, path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    {
        std::fprintf(stderr, "the measurement %s failed\n", mode);
        std::exit(2);
    }
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// The child side of MeasureInChild.
int RunMeasurement(std::string const & mode, std::string const & path)
{
    if (mode == "--measure-baseline")
        return 0;
    if (mode == "--measure-load")
    {
        std::string const xml = ReadFile(path);
        CXmlDocument document;
        document.LoadXmlStream(reinterpret_cast<unsigned char const *>(xml.data()), static_cast<std::uint32_t>(xml.size()));
        return document.GetDocumentElement() != nullptr ? 0 : 1;
    }
    if (mode == "--measure-tofile")
    {
        // About 100 MB of XML, streamed to the file while it is produced.
        Register(16, 1, "NxXmlBench");
        NoBanner();
        AsyncToXmlFile(true);
        CSmartPtr<CSyntheticOrder> order(new CSyntheticOrder(std::stoul(path)));
        order->ToXmlFile("/tmp/nxxml-bench-tofile.xml");
        return 0;
    }
    if (mode == "--measure-filter")
    {
        AsyncFromXmlFile(true);
        CXmlDocument document(&DropItems);
        document.Load(path.c_str());
        return document.GetDocumentElement() != nullptr ? 0 : 1;
    }
    return 2;
}

void Report(char const * what, double value, char const * unit, char const * target, bool met)
{
    std::printf("%-46s %10.1f %-6s %-28s %s\n", what, value, unit, target, met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char ** argv)
{
    if (argc == 3 && std::strncmp(argv[1], "--measure-", 10) == 0)
        return RunMeasurement(argv[1], argv[2]);

    COptions options;
    options.self = "/proc/self/exe";
    char resolved[4096];
    ssize_t const length = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    if (length > 0)
        options.self.assign(resolved, static_cast<std::size_t>(length));
    for (int i = 1; i + 1 < argc; i += 2)
    {
        std::string const name = argv[i];
        if (name == "--size-mb")
            options.sizeMb = std::atoi(argv[i + 1]);
        else if (name == "--filter-mb")
            options.filterMb = std::atoi(argv[i + 1]);
        else if (name == "--input")
            options.input = argv[i + 1];
        else if (name == "--generator")
            options.generator = argv[i + 1];
    }

    // Memory first, from fresh processes started while this one is still small.
    std::string const path = options.input.empty() ? Generate(options.generator, options.sizeMb) : options.input;
    std::string const big =
        options.filterMb <= 0 ? std::string() : options.input.empty() ? Generate(options.generator, options.filterMb) : options.input;
    long long const baseline = MeasureInChild(options, "--measure-baseline", path);
    long long const loadPeak = MeasureInChild(options, "--measure-load", path) - baseline;
    long long const filterPeak = big.empty() ? 0 : MeasureInChild(options, "--measure-filter", big) - baseline;
    long long const toFilePeak = MeasureInChild(options, "--measure-tofile", "720000") - baseline;
    std::ifstream written("/tmp/nxxml-bench-tofile.xml", std::ios::binary | std::ios::ate);
    double const writtenMb = static_cast<double>(written.tellg()) / 1e6;

    std::string const xml = ReadFile(path);
    double const megabytes = static_cast<double>(xml.size()) / 1e6;
    std::printf("document: %s, %.1f MB\n\n", path.c_str(), megabytes);

    double const bare = megabytes / BestOf(3, [&] { BareExpatParse(xml); });
    CXmlDocument document;
    double const load = megabytes / BestOf(3, [&] {
        document.LoadXmlStream(reinterpret_cast<unsigned char const *>(xml.data()), static_cast<std::uint32_t>(xml.size()));
    });
    double const write = megabytes / BestOf(3, [&] { WriteTree(document); });
    double const loadRatio = static_cast<double>(loadPeak) / static_cast<double>(xml.size());

    std::printf("%-46s %10s %-6s %-28s %s\n", "measurement", "value", "unit", "target", "");
    Report("bare Expat parse (the floor)", bare, "MB/s", "", true);
    Report("CXmlDocument::LoadXmlStream", load, "MB/s", ">= 0.5 x bare", load >= 0.5 * bare);
    Report("CXmlTextWriter into a memory stream", write, "MB/s", ">= 1.0 x bare", write >= bare);
    Report("peak memory of loading / input size", loadRatio, "x", "<= 4 (input included)", loadRatio <= 4.0);
    Report(FormatString("ToXmlFile streamed (%.0f MB): peak memory", writtenMb).c_str(),
           static_cast<double>(toFilePeak) / 1e6, "MB", "well below the output size", toFilePeak < 16 * 1000 * 1000);
    if (!big.empty())
        Report("chunked load dropping every item: peak", static_cast<double>(filterPeak) / 1e6, "MB", "< 100 MB",
               filterPeak < 100 * 1000 * 1000);
    return 0;
}
