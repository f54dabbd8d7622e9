// The main job measured: purchase orders of about 1, 10 and 100 MB read into the bindings,
// written back as XML text, JSON and Fast Infoset and streamed to a file, each next to a bare
// Expat parse of the same document, with the peak memory of reading and of streaming to a file;
// and the same orders read from their JSON and Fast Infoset forms, next to reading their text.
//
//   NxBindingBench [--sizes 1,10,100] [--generator PROGRAM]
#include "BenchSupport.h"
#include "PurchaseOrder.h"

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace NxXmlLib16;
using namespace PurchaseOrder;
using namespace NxXmlBench;

namespace
{

std::string g_self;
std::string g_generator = NXXML_DEFAULT_GENERATOR;

CSerializationContext const & WritingContext()
{
    static CSerializationContext context;
    context.SetDefaultNamespaceURI(TargetNamespace);
    context.SetIndentChars("  ");
    return context;
}

// The writing options with the recommended Fast Infoset encodings per item type.
CSerializationContext const & SuggestedFIContext()
{
    static CSerializationContext context = WritingContext();
    context.GetFIContext().SetSuggestedValues();
    return context;
}

long long ResidentBytes()
{
    long long pages = 0;
    long long resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

long long PeakBytes()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

// Runs this program again in a measuring mode and returns the number of bytes it reports.
long long MeasureInChild(std::string const & arguments)
{
    std::string const command = "'" + g_self + "' " + arguments;
    FILE * const pipe = popen(command.c_str(), "r");
    long long bytes = -1;
    if (pipe == nullptr || std::fscanf(pipe, "%lld", &bytes) != 1 || pclose(pipe) != 0)
    {
        std::fprintf(stderr, "the measurement %s failed\n", arguments.c_str());
        std::exit(2);
    }
    return bytes;
}

// The child side: prints the bytes the measured step needed.
int RunMeasurement(int argc, char ** argv)
{
    std::string const mode = argv[1];
    long long const start = ResidentBytes();
    if (mode == "--measure-read")
    {
        // Peak of reading, the input buffer included.
        std::string const xml = ReadFile(argv[2]);
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlStream(reinterpret_cast<unsigned char const *>(xml.data()),
                             static_cast<std::uint32_t>(xml.size()));
        std::printf("%lld\n", PeakBytes() - start);
        return 0;
    }
    if (mode == "--measure-read-json")
    {
        // Peak of reading the JSON form, the input buffer included.
        std::string const json = ReadFile(argv[2]);
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromJsonStream(reinterpret_cast<unsigned char const *>(json.data()),
                              static_cast<std::uint32_t>(json.size()));
        std::printf("%lld\n", PeakBytes() - start);
        return 0;
    }
    if ((mode == "--measure-tofile" || mode == "--measure-jsontofile") && argc == 4)
    {
        // An object tree of the given number of items, built without a document, then streamed
        // to a file: the peak beyond the tree is what writing needed.
        CSmartPtr<CPurchaseOrderType> order(new CPurchaseOrderType);
        order->FromXmlFile(argv[2]);
        CSmartPtr<CItemTypeCol> const items = order->GetItems()->GetItem();
        int const model = items->GetCount();
        for (int i = model; i < std::atoi(argv[3]); ++i)
        {
            CSmartPtr<CItemType> const from = items->Item(i % model);
            CSmartPtr<CItemType> const item(new CItemType);
            item->SetSku(from->GetSku());
            item->SetDescription(from->GetDescription());
            item->SetQuantity(from->GetQuantity());
            item->SetUnitPrice(from->GetUnitPrice());
            for (int t = 0; t < from->GetTag()->GetCount(); ++t)
                item->GetTag()->Add(from->GetTag()->Item(t));
            items->Add(item);
        }
        long long const tree = PeakBytes();
        NoBanner();
        AsyncToXmlFile(true);
        if (mode == "--measure-tofile")
            order->ToXmlFile("/tmp/nxxml-bench-binding-out.xml", true, true, XmlEncoding_UTF8, EOLType_LF,
                             WritingContext());
        else
            order->ToJsonFile("/tmp/nxxml-bench-binding-out.json", true, XmlEncoding_UTF8, EOLType_LF,
                              WritingContext());
        std::printf("%lld\n", PeakBytes() - tree);
        return 0;
    }
    return 2;
}

std::string Ratio(double value, double floor) { return FormatString("%.2f", value / floor); }

// The number of items of a generated order.
int CountItems(std::string const & xml)
{
    int count = 0;
    for (std::size_t at = xml.find("<item "); at != std::string::npos; at = xml.find("<item ", at + 1))
        ++count;
    return count;
}

// Writes the order of the XML text as Fast Infoset to the file and returns the octets.
std::string WriteFastInfosetForm(std::string const & xml, std::string const & path)
{
    CSmartPtr<CPurchaseOrderType> const order(new CPurchaseOrderType);
    order->FromXmlStream(reinterpret_cast<unsigned char const *>(xml.data()), static_cast<std::uint32_t>(xml.size()));
    CBinaryData const octets = order->ToFastInfosetStream(FInfoDecl_None, WritingContext());
    std::string const bytes(reinterpret_cast<char const *>(octets.GetData()), octets.GetLength());
    std::ofstream(path, std::ios::binary) << bytes;
    return bytes;
}

// The items of an order bound by hand from Expat's events, with the bindings' own setters and
// value types but without a document or metadata: how fast reading could be if it bound while
// parsing, with values parsed and checked as they are today.
class CHandBinder
{
public:
    // Reads the items of the XML text into the collection.
    static void Read(std::string const & xml, CItemTypeCol & items)
    {
        CHandBinder binder(items);
        XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
        XML_SetUserData(parser, &binder);
        XML_SetElementHandler(parser, &OnStart, &OnEnd);
        XML_SetCharacterDataHandler(parser, &OnText);
        bool const parsed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
        XML_ParserFree(parser);
        if (!parsed)
        {
            std::fprintf(stderr, "hand-bound parse failed\n");
            std::exit(2);
        }
    }

private:
    enum Field
    {
        None,
        Description,
        Quantity,
        UnitPrice,
        ShipDate,
        Gift,
        Tag
    };

    explicit CHandBinder(CItemTypeCol & items) : m_items(items) {}

    static char const * LocalName(char const * name)
    {
        char const * const separator = std::strchr(name, '|');
        return separator != nullptr ? separator + 1 : name;
    }

    static void XMLCALL OnStart(void * user, XML_Char const * name, XML_Char const ** attributes)
    {
        CHandBinder & binder = *static_cast<CHandBinder *>(user);
        std::string_view const local = LocalName(name);
        binder.m_text.clear();
        binder.m_field = None;
        if (local == "item")
        {
            binder.m_item = CSmartPtr<CItemType>(new CItemType);
            for (int i = 0; attributes[i] != nullptr; i += 2)
            {
                if (std::strcmp(attributes[i], "sku") == 0)
                    binder.m_item->SetSku(attributes[i + 1]);
            }
        }
        else if (binder.m_item != nullptr)
        {
            static std::pair<std::string_view, Field> const fields[] = {
                {"description", Description}, {"quantity", Quantity}, {"unitPrice", UnitPrice},
                {"shipDate", ShipDate},       {"gift", Gift},         {"tag", Tag}};
            for (auto const & field : fields)
            {
                if (local == field.first)
                    binder.m_field = field.second;
            }
        }
    }

    static void XMLCALL OnEnd(void * user, XML_Char const * name)
    {
        CHandBinder & binder = *static_cast<CHandBinder *>(user);
        CItemType * const item = binder.m_item.Get();
        std::string const & text = binder.m_text;
        constexpr CWhitespaceUtils::WhitespaceRule collapse = CWhitespaceUtils::WhitespaceRule_Collapse;
        switch (binder.m_field)
        {
        case Description: item->SetDescription(text); break;
        case Quantity: item->SetQuantity(CConversions::i4FromString(text, collapse)); break;
        case UnitPrice: item->SetUnitPrice(CConversions::decimalFromString(text, collapse)); break;
        case ShipDate: item->SetShipDate(CConversions::dateFromString(text, collapse)); break;
        case Gift: item->SetGift(CConversions::booleanFromString(text, collapse)); break;
        case Tag: item->GetTag()->Add(text); break;
        case None:
            if (item != nullptr && std::strcmp(LocalName(name), "item") == 0)
            {
                binder.m_items.Add(item);
                binder.m_item = CSmartPtr<CItemType>();
            }
            break;
        }
        binder.m_field = None;
    }

    static void XMLCALL OnText(void * user, XML_Char const * text, int length)
    {
        CHandBinder & binder = *static_cast<CHandBinder *>(user);
        if (binder.m_field != None)
            binder.m_text.append(text, static_cast<std::size_t>(length));
    }

    CItemTypeCol & m_items;
    CSmartPtr<CItemType> m_item;
    Field m_field = None;
    std::string m_text;
};

} // namespace

int main(int argc, char ** argv)
{
    if (argc >= 3 && std::strncmp(argv[1], "--measure-", 10) == 0)
        return RunMeasurement(argc, argv);
    char resolved[4096];
    ssize_t const length = readlink("/proc/self/exe", resolved, sizeof resolved - 1);
    g_self = length > 0 ? std::string(resolved, static_cast<std::size_t>(length)) : "/proc/self/exe";
    std::vector<int> sizes = {1, 10, 100};
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--sizes") == 0)
        {
            sizes.clear();
            std::stringstream list(argv[i + 1]);
            for (std::string size; std::getline(list, size, ',');)
                sizes.push_back(std::atoi(size.c_str()));
        }
        else if (std::strcmp(argv[i], "--generator") == 0)
            g_generator = argv[i + 1];
    }
    NoBanner();

    std::printf("%-6s %-40s %10s %10s %12s\n", "size", "measurement", "MB/s", "x bare", "peak");
    for (int sizeMb : sizes)
    {
        std::string const path = Generate(g_generator, sizeMb);
        long long const readPeak = MeasureInChild("--measure-read '" + path + "'");

        std::string const xml = ReadFile(path);
        double const megabytes = static_cast<double>(xml.size()) / 1e6;
        // The JSON form of the same order (round-trip mode 2, indented like the XML).
        std::string jsonText;
        {
            CSmartPtr<CPurchaseOrderType> model(new CPurchaseOrderType);
            model->FromXmlStream(reinterpret_cast<unsigned char const *>(xml.data()),
                                 static_cast<std::uint32_t>(xml.size()));
            jsonText = model->ToJson(true, EOLType_LF, WritingContext());
        }
        std::string const jsonPath = path + ".json";
        std::ofstream(jsonPath, std::ios::binary) << jsonText;
        long long const jsonReadPeak = MeasureInChild("--measure-read-json '" + jsonPath + "'");
        std::string const fastInfoset = WriteFastInfosetForm(xml, path + ".finf");
        long long const readFastInfosetPeak = MeasureInChild("--measure-read '" + path + ".finf'");
        AsyncToXmlFile(true);
        long long const toFilePeak =
            MeasureInChild("--measure-tofile '" + Generate(g_generator, 1) + "' " + std::to_string(CountItems(xml)));
        long long const jsonToFilePeak = MeasureInChild("--measure-jsontofile '" + Generate(g_generator, 1) + "' " +
                                                        std::to_string(CountItems(xml)));
        // The measurements take turns, round after round, so that each meets the same moments of
        // a machine whose speed varies; the best round of each counts. Each round reads into a
        // new order: dropping the previous tree is not part of reading.
        int const rounds = sizeMb >= 100 ? 3 : 5;
        double bare = 0;
        double read = 0;
        double handBound = 0;
        double write = 0;
        double toFile = 0;
        double json[3] = {0, 0, 0};
        double jsonRead = 0;
        CSerializationContext jsonContexts[3] = {WritingContext(), WritingContext(), WritingContext()};
        for (int mode = 0; mode < 3; ++mode)
            jsonContexts[mode].GetJsonContext().SetSupportRoundtrip(static_cast<JsonRoundTrip>(mode));
        double fiDefault = 0;
        double fiSuggested = 0;
        std::string suggestedRefusal;
        std::size_t textSize = 0;
        std::size_t fiDefaultSize = 0;
        std::size_t fiSuggestedSize = 0;
        double readFastInfoset = 0;
        CSmartPtr<CPurchaseOrderType> order;
        std::string written;
        for (int round = 0; round < rounds; ++round)
        {
            bare = std::max(bare, megabytes / TimeOnce([&] { BareExpatParse(xml); }));
            order = CSmartPtr<CPurchaseOrderType>(new CPurchaseOrderType);
            // Both readers start from the heap that the previous round's tree gave back.
            CSmartPtr<CItemTypeCol> handItems(new CItemTypeCol("item", TargetNamespace, 0, -1));
            handBound = std::max(handBound, megabytes / TimeOnce([&] { CHandBinder::Read(xml, *handItems); }));
            int const handCount = handItems->GetCount();
            handItems = CSmartPtr<CItemTypeCol>();
            read = std::max(read, megabytes /
                                      TimeOnce(
                                          [&]
                                          {
                                              order->FromXmlStream(reinterpret_cast<unsigned char const *>(xml.data()),
                                                                   static_cast<std::uint32_t>(xml.size()));
                                          }));
            if (handCount != order->GetItems()->GetItem()->GetCount())
            {
                std::fprintf(stderr, "the hand-bound items differ in number\n");
                return 2;
            }
            write = std::max(
                write, megabytes / TimeOnce([&] { written = order->ToXml(true, true, EOLType_LF, WritingContext()); }));
            textSize = written.size();
            written = std::string();
            // The modes take turns in coming first, right after the XML text was let go.
            for (int turn = 0; turn < 3; ++turn)
            {
                int const mode = (round + turn) % 3;
                json[mode] = std::max(
                    json[mode],
                    megabytes / TimeOnce([&] { written = order->ToJson(true, EOLType_LF, jsonContexts[mode]); }));
                written = std::string();
            }
            order = CSmartPtr<CPurchaseOrderType>(new CPurchaseOrderType);
            jsonRead =
                std::max(jsonRead, megabytes / TimeOnce(
                                                   [&]
                                                   {
                                                       order->FromJsonStream(
                                                           reinterpret_cast<unsigned char const *>(jsonText.data()),
                                                           static_cast<std::uint32_t>(jsonText.size()));
                                                   }));
            CBinaryData octets;
            fiDefault = std::max(
                fiDefault,
                megabytes / TimeOnce([&] { octets = order->ToFastInfosetStream(FInfoDecl_None, WritingContext()); }));
            fiDefaultSize = octets.GetLength();
            octets = CBinaryData();
            // The suggested alphabets refuse some values (a date's "+" zone): the row then says so.
            if (suggestedRefusal.empty())
            {
                try
                {
                    fiSuggested = std::max(fiSuggested, megabytes / TimeOnce(
                                                                        [&] {
                                                                            octets = order->ToFastInfosetStream(
                                                                                FInfoDecl_None, SuggestedFIContext());
                                                                        }));
                    fiSuggestedSize = octets.GetLength();
                }
                catch (CNxException const & e)
                {
                    CNxException const * cause = &e;
                    while (cause->GetInnerException() != nullptr)
                        cause = cause->GetInnerException();
                    suggestedRefusal = cause->GetMessage();
                }
            }
            octets = CBinaryData();
            order = CSmartPtr<CPurchaseOrderType>(new CPurchaseOrderType);
            readFastInfoset = std::max(
                readFastInfoset,
                megabytes / TimeOnce(
                                [&]
                                {
                                    order->FromXmlStream(reinterpret_cast<unsigned char const *>(fastInfoset.data()),
                                                         static_cast<std::uint32_t>(fastInfoset.size()));
                                }));
            toFile =
                std::max(toFile, megabytes / TimeOnce(
                                                 [&] {
                                                     order->ToXmlFile("/tmp/nxxml-bench-binding-out.xml", true, true,
                                                                      XmlEncoding_UTF8, EOLType_LF, WritingContext());
                                                 }));
        }
        AsyncToXmlFile(false);

        std::string const label = FormatString("%.0f MB", megabytes);
        std::printf("%-6s %-40s %10.1f %10s %12s\n", label.c_str(), "(a) bare Expat parse", bare, "1.00", "");
        std::printf("%-6s %-40s %10.1f %10s %9.2f x\n", label.c_str(), "(b) FromXmlStream into the bindings", read,
                    Ratio(read, bare).c_str(), static_cast<double>(readPeak) / static_cast<double>(xml.size()));
        std::printf("%-6s %-40s %10.1f %10s %12s\n", label.c_str(), "(c) ToXml of the bound tree", write,
                    Ratio(write, bare).c_str(), "");
        std::printf("%-6s %-40s %10.1f %10s %9.1f MB\n", label.c_str(), "(d) ToXmlFile streamed (peak beyond tree)",
                    toFile, Ratio(toFile, bare).c_str(), static_cast<double>(toFilePeak) / 1e6);
        for (int mode = 0; mode < 3; ++mode)
            std::printf("%-6s %-40s %10.1f %10s %7s x (c)\n", label.c_str(),
                        FormatString("(e) ToJson of the bound tree, mode %d", mode).c_str(), json[mode],
                        Ratio(json[mode], bare).c_str(), Ratio(json[mode], write).c_str());
        std::printf("%-6s %-40s %10s %10s %9.1f MB\n", label.c_str(), "(f) ToJsonFile streamed (peak beyond tree)", "",
                    "", static_cast<double>(jsonToFilePeak) / 1e6);
        std::printf("%-6s %-40s %10.1f %10s %9.2f x  (%.2f x the time of (b), %.2f x its peak; JSON %.0f MB)\n",
                    label.c_str(), "(g) FromJsonStream of its JSON (mode 2)", jsonRead, Ratio(jsonRead, bare).c_str(),
                    static_cast<double>(jsonReadPeak) / static_cast<double>(xml.size()), read / jsonRead,
                    static_cast<double>(jsonReadPeak) / static_cast<double>(readPeak),
                    static_cast<double>(jsonText.size()) / 1e6);
        std::printf("%-6s %-40s %10.1f %10s %9.2f x\n", label.c_str(), "(h) ToFastInfosetStream, default (size)",
                    fiDefault, Ratio(fiDefault, bare).c_str(),
                    static_cast<double>(fiDefaultSize) / static_cast<double>(textSize));
        if (suggestedRefusal.empty())
            std::printf("%-6s %-40s %10.1f %10s %9.2f x\n", label.c_str(), "(i) ToFastInfosetStream, suggested (size)",
                        fiSuggested, Ratio(fiSuggested, bare).c_str(),
                        static_cast<double>(fiSuggestedSize) / static_cast<double>(textSize));
        else
            std::printf("%-6s %-40s refused: %s\n", label.c_str(), "(i) ToFastInfosetStream, suggested",
                        suggestedRefusal.c_str());
        std::printf("%-6s %-40s %10.1f %10s %9.2f x\n", label.c_str(), "(j) FromXmlStream of the Fast Infoset form",
                    readFastInfoset, Ratio(readFastInfoset, bare).c_str(),
                    static_cast<double>(readFastInfosetPeak) / static_cast<double>(xml.size()));
        std::printf("%-6s %-40s %10.2f %10s %9.2f x\n", label.c_str(), "    (j) / (b): speed, peak",
                    readFastInfoset / read, "",
                    static_cast<double>(readFastInfosetPeak) / static_cast<double>(readPeak));
        std::printf("%-6s %-40s %10.1f %10s %7s x (b)\n", label.c_str(), "(k) items bound by hand from Expat",
                    handBound, Ratio(handBound, bare).c_str(), Ratio(handBound, read).c_str());
        std::fflush(stdout);
    }
    std::printf("\ntargets on 100 MB: (b) >= 0.5 x bare and peak <= 5 x the document; (c) >= 1.0 x bare; "
                "(d) peak under 64 MB beyond the object tree; (e) >= 0.9 x (c); (f) peak under 64 MB beyond the tree; "
                "(g) at most 2 x the time and 1.5 x the peak of (b); (h), (i) >= (c) with (h) at most 0.6 x the size "
                "of the ToXml text; (j) >= 1.5 x (b) with a peak no higher\n(k) binds the items only, with the "
                "bindings' setters and value types: the speed a reader binding while parsing could reach\n(j) is in MB "
                "of the XML text per second; "
                "its peak is a multiple of the XML text's size\n");
    CleanAllMetaData();
    return 0;
}
