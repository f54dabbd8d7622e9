#include "OrderGenerator.h"

#include "Random.h"

#include <charconv>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace NxPoGen
{

namespace
{

char const * const Namespace = "urn:example:po";

// Realistic content: names, places and products, some with non-ASCII letters or characters
// that text must escape.
char const * const FirstNames[] = {
    "Anna", "Anaïs", "Björn", "Chloé", "David", "Émile", "François", "Grace", "Håkon", "Inès", "James", "José",
    "Łukasz", "Mónica", "Noël", "Olivia", "Peter", "Zoë", "Ingrid", "Çağla", "Sophie", "Tomás", "Ulrike", "Wei",
};
char const * const LastNames[] = {
    "Müller", "García", "Nørgaard", "Dubois", "O'Neill", "Smith", "Kowalski", "Rossi", "Yılmaz", "Novák",
    "Johnson", "Schäfer", "Åberg", "Brown", "Lefèvre", "Martínez", "Tanaka", "Van der Berg", "Wójcik", "Ölund",
};

struct CAddress
{
    char const * street;
    char const * city;
    char const * postcode;
    char const * country;
};

CAddress const Addresses[] = {
    {"Bahnhofstrasse", "Zürich", "8001", "CH"},       {"Nørrebrogade", "København", "2200", "DK"},
    {"Rua Augusta", "São Paulo", "01305-000", "BR"},  {"ulica Floriańska", "Kraków", "31-019", "PL"},
    {"Laugavegur", "Reykjavík", "101", "IS"},         {"Baker Street", "London", "NW1 6XE", "GB"},
    {"Rue de l'Église", "Lyon", "69002", "FR"},       {"Hauptstraße", "Köln", "50667", "DE"},
    {"Main Street", "Springfield", "62701", "US"},    {"Calle Mayor", "Málaga", "29015", "ES"},
};
char const * const Adjectives[] = {
    "small", "large", "red", "blue", "heavy-duty", "lightweight", "vintage", "compact", "deluxe", "ergonomic",
    "waterproof", "handmade", "organic", "recycled", "stainless", "wireless", "foldable", "premium", "basic",
    "portable",
};
char const * const Materials[] = {
    "steel", "oak", "cotton", "leather", "glass", "ceramic", "bamboo", "aluminium", "wool", "silicone",
    "crème", "façade-grade", "naïve-style", "jalapeño", "smørrebrød", "Über", "ångström-thin", "piñata", "pâté",
    "crêpe",
};
char const * const Nouns[] = {
    "chair", "table", "lamp", "mug", "notebook", "backpack", "kettle", "bicycle bell", "screwdriver set",
    "garden hose", "desk organiser", "coffee grinder", "umbrella", "cable", "pillow", "frying pan", "clock",
    "toolbox", "speaker", "plant pot",
};
char const * const Suffixes[] = {
    "", "", "", "", "", "", " & matching lid", " (< 2 kg)", " for kids > 3 years",
    " – salt & pepper edition", " <limited>", " à la carte", " ★★★",
};
char const * const LongFiller =
    "This item is delivered fully assembled & inspected; weight < 5 kg, dimensions approx. 30 × 20 × 10 cm. "
    "Garantie 2 ans, Größe M, colour may vary slightly from the picture. Keep away from heat sources and direct "
    "sunlight at all times please.";
char const * const Tags[] = {
    "eco", "fragile", "bulk", "clearance", "new", "nouveauté", "größe-xl", "sale & return", "bestseller",
    "seasonal", "<b2b>", "imported",
};
char const * const Notes[] = {
    "Please deliver to the back door & ring twice.",
    "Fragile: contents < 2 kg per box, handle with care.",
    "Livraison après 18h, s'il vous plaît.",
    "Bitte beim Nachbarn abgeben, falls niemand zu Hause ist.",
    "Leave with reception > 9am.",
    "No plastic packaging — paper only.",
};
char const * const Currencies[] = {"EUR", "USD", "GBP"};
unsigned const TagCounts[] = {0, 0, 1, 1, 2, 3};

constexpr std::size_t MaxDescription = 200; // DescriptionType's maxLength, in characters
constexpr std::size_t FlushSize = 1 << 20;
constexpr unsigned BoundaryItemOdds = 64;   // one item in this many is a boundary item
constexpr unsigned BoundaryPartPercent = 5; // chance of a boundary value for a part of the document

// Values at the bounds of the schema. An empty pointer stands for an optional part left out.
char const * const Absent = nullptr;
char const * const BoundaryIds[] = {"-2147483648", "2147483647", "0"};
char const * const BoundaryDates[] = {Absent,       "2024-02-29", "2023-01-31", "2023-04-30",      "2023-12-31",
                                      "0001-01-01", "9999-12-31", "2024-02-29Z", "2025-06-15+14:00", "2025-06-15-14:00"};
char const * const BoundaryCurrencies[] = {Absent, "EUR", "USD", "GBP"};
char const * const BoundaryNames[] = {"", "Zoë \"Zed\" O'Neill & Söhne <GmbH>\t", "😀"};
char const * const BoundaryEmails[] = {
    Absent, "a@b.cd", "ü@ß.de", "x&y<z>'\"@b.c.DE", "first.last+tag@mail.example.ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
};
char const * const BoundaryPostcodes[] = {"101", "Z9-", "9  ", "A1 -2B3-C4", "0000000000", "ZZZZZZZZZZ"};
char const * const BoundaryCountries[] = {"CH", "ÅÖ", "A😀"};
char const * const BoundaryCardNumbers[] = {"0000 0000 0000 0000", "9999 9999 9999 9999"};
char const * const BoundaryExpiries[] = {"0001-01", "9999-12", "2030-12Z", "2030-01+14:00"};
char const * const BoundarySkus[] = {"AAA-00000", "ZZZ-99999", "AZA-09090"};
std::int64_t const BoundaryQuantities[] = {1, 2147483647};
std::uint64_t const BoundaryPrices[] = {0, 1, 99, 999999999}; // cents
char const * const BoundaryGifts[] = {"true", "false"};

// The text repeated count times.
std::string Repeat(std::string const & text, std::size_t count)
{
    std::string result;
    result.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        result += text;
    return result;
}

// Descriptions at and below the maximum length, counted in characters of 1 to 4 UTF-8 bytes.
std::vector<std::string> BoundaryDescriptions()
{
    return {"",
            "x",
            Repeat("d", MaxDescription),
            Repeat("é", MaxDescription),
            Repeat("€", MaxDescription / 2) + Repeat("😀", MaxDescription / 2),
            Repeat("a&<>", MaxDescription / 4),
            Repeat("z", MaxDescription - 1) + "ß"};
}

// Tag lists: none, empty and one-character tags, a long list, long and escaped tags.
std::vector<std::vector<std::string>> BoundaryTagLists()
{
    return {{},
            {""},
            {"x"},
            std::vector<std::string>(std::begin(Tags), std::end(Tags)),
            {"&<>\"'", "😀", Repeat("long tag ", 40)},
            {Repeat("ö", 500)}};
}

// Notes: none, empty, escaped, long.
std::vector<char const *> BoundaryNotes()
{
    return {Absent, "", "<>&\"' ]]> --> <!-- &amp;", "Ünïcödé: 漢字, עברית, русский, 😀🎉."};
}

// The byte length of the longest prefix of UTF-8 text with at most count characters.
std::size_t PrefixOfCharacters(std::string const & text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue; // a continuation byte belongs to the character before
        if (characters == count)
            return i;
        ++characters;
    }
    return text.size();
}

// Sums of cents, exact beyond 64 bits: the value is high * 10^18 + low.
class CCentsTotal
{
public:
    // Adds quantity times a price in cents; each product fits in 64 bits.
    void Add(std::uint64_t cents)
    {
        m_low += cents;
        m_high += m_low / Base;
        m_low %= Base;
    }

    // The total as digits, with two of them after the point.
    std::string ToString() const
    {
        std::string digits = m_high == 0 ? std::to_string(m_low) : std::to_string(m_high) + Padded(m_low, 18);
        if (digits.size() < 3)
            digits.insert(0, 3 - digits.size(), '0');
        digits.insert(digits.size() - 2, 1, '.');
        return digits;
    }

private:
    static constexpr std::uint64_t Base = 1000000000000000000u;

    // The number with leading zeros up to width digits.
    static std::string Padded(std::uint64_t value, std::size_t width)
    {
        std::string const digits = std::to_string(value);
        return std::string(width - digits.size(), '0') + digits;
    }

    std::uint64_t m_high = 0;
    std::uint64_t m_low = 0;
};

// Collects the document in a buffer and hands it to the file a megabyte at a time.
class COutput
{
public:
    explicit COutput(std::FILE * file) : m_file(file) { m_buffer.reserve(FlushSize + 65536); }

    // Appends bytes as they are.
    COutput & operator<<(char const * text)
    {
        m_buffer += text;
        return *this;
    }
    COutput & operator<<(std::string const & text)
    {
        m_buffer += text;
        return *this;
    }
    // Appends a number in decimal.
    COutput & operator<<(std::int64_t value)
    {
        char digits[24];
        char * const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_buffer.append(digits, end);
        return *this;
    }

    // Appends a number with leading zeros up to width digits.
    void Padded(std::int64_t value, std::size_t width)
    {
        char digits[24];
        char * const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        std::size_t const length = static_cast<std::size_t>(end - digits);
        if (length < width)
            m_buffer.append(width - length, '0');
        m_buffer.append(digits, end);
    }

    // Appends element text with &, < and > escaped.
    void Text(std::string const & text)
    {
        for (char const c : text)
        {
            switch (c)
            {
            case '&': m_buffer += "&amp;"; break;
            case '<': m_buffer += "&lt;"; break;
            case '>': m_buffer += "&gt;"; break;
            default: m_buffer += c;
            }
        }
    }

    // Appends <name>text</name>, or <name/> for empty text, at the indentation of the level.
    void Element(char const * indent, char const * name, std::string const & text)
    {
        m_buffer += indent;
        m_buffer += '<';
        m_buffer += name;
        if (text.empty())
        {
            m_buffer += "/>\n";
            return;
        }
        m_buffer += '>';
        Text(text);
        m_buffer += "</";
        m_buffer += name;
        m_buffer += ">\n";
    }

    // The number of bytes of the document so far.
    std::uint64_t Size() const { return m_flushed + m_buffer.size(); }

    // Writes the buffer out when a megabyte or more is waiting.
    void FlushIfFull()
    {
        if (m_buffer.size() >= FlushSize)
            Flush();
    }

    // Writes everything buffered out to the file.
    void Flush()
    {
        if (!m_buffer.empty() && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
            throw std::runtime_error("cannot write the document");
        m_flushed += m_buffer.size();
        m_buffer.clear();
        if (std::fflush(m_file) != 0)
            throw std::runtime_error("cannot write the document");
    }

private:
    std::FILE * m_file;
    std::string m_buffer;
    std::uint64_t m_flushed = 0;
};

// Writes one document: its parts in schema order, realistic values drawn from the tables
// above, boundary values where the options or chance ask for them.
class COrderWriter
{
public:
    COrderWriter(COrderOptions const & options, std::FILE * file)
        : m_options(options), m_random(options.seed), m_out(file), m_descriptions(BoundaryDescriptions()),
          m_tagLists(BoundaryTagLists()), m_notes(BoundaryNotes())
    {
    }

    // Writes the whole document and returns the number of items.
    std::uint64_t Write()
    {
        WriteHeader();
        // Room left for the end of the document when sizing by bytes.
        std::uint64_t const reserve = 400;
        std::uint64_t count = 0;
        while (m_options.items != 0 ? count < m_options.items
                                    : count == 0 || m_out.Size() + reserve < m_options.sizeBytes)
        {
            WriteItem();
            ++count;
            m_out.FlushIfFull();
        }
        WriteTrailer();
        m_out.Flush();
        return count;
    }

private:
    // Whether a part of the document takes a boundary value.
    bool BoundaryPart() { return m_options.boundaries || m_random.Percent(BoundaryPartPercent); }

    // The boundary value of a part of the document: chosen by the key (a function of the seed)
    // with --boundaries, so that consecutive seeds reach every value, else at random.
    template <class T, std::size_t N>
    T const & PartValue(T const (&values)[N], std::uint64_t key)
    {
        return m_options.boundaries ? values[key % N] : m_random.Pick(values);
    }
    template <class T>
    T const & PartValue(std::vector<T> const & values, std::uint64_t key)
    {
        return values[m_options.boundaries ? key % values.size() : m_random.Below(values.size())];
    }

    // A date between 2023 and 2026, or of the given years; day 1 to 28 exists in every month.
    std::string RandomDate(int firstYear = 2023, int lastYear = 2026)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(m_random.Between(firstYear, lastYear)),
                      static_cast<int>(m_random.Between(1, 12)), static_cast<int>(m_random.Between(1, 28)));
        return text;
    }

    // Appends a price or total in cents as a decimal with two fraction digits.
    void Money(std::uint64_t cents)
    {
        m_out << static_cast<std::int64_t>(cents / 100) << ".";
        m_out.Padded(static_cast<std::int64_t>(cents % 100), 2);
    }

    // The declaration, the start tag of the root with its attributes and the customer.
    void WriteHeader()
    {
        bool const boundaryId = BoundaryPart();
        std::string id = boundaryId ? PartValue(BoundaryIds, m_options.seed) : std::to_string(m_random.Between(1, 2147483647));
        std::string orderDate;
        if (BoundaryPart())
        {
            char const * const date = PartValue(BoundaryDates, m_options.seed);
            orderDate = date == Absent ? std::string() : date;
        }
        else if (m_random.Percent(80))
            orderDate = RandomDate();
        char const * currency = Absent;
        if (BoundaryPart())
            currency = PartValue(BoundaryCurrencies, m_options.seed);
        else if (m_random.Percent(75)) // else the default applies
            currency = m_random.Pick(Currencies);

        m_out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<purchaseOrder xmlns=\"" << Namespace << "\" id=\"" << id << "\"";
        if (!orderDate.empty())
            m_out << " orderDate=\"" << orderDate << "\"";
        if (currency != Absent)
            m_out << " currency=\"" << currency << "\"";
        m_out << ">\n  <customer>\n";

        std::string name = std::string(m_random.Pick(FirstNames)) + " " + m_random.Pick(LastNames);
        if (BoundaryPart())
            name = PartValue(BoundaryNames, m_options.seed);
        m_out.Element("    ", "name", name);
        if (BoundaryPart())
        {
            if (char const * const email = PartValue(BoundaryEmails, m_options.seed))
                m_out.Element("    ", "email", email);
        }
        else if (m_random.Percent(70))
            m_out << "    <email>customer" << m_random.Between(1, 999999) << "@example.com</email>\n";

        CAddress address = m_random.Pick(Addresses);
        if (BoundaryPart())
            address.postcode = PartValue(BoundaryPostcodes, m_options.seed);
        if (BoundaryPart())
            address.country = PartValue(BoundaryCountries, m_options.seed);
        m_out << "    <address>\n      <street>";
        m_out.Text(address.street);
        m_out << " " << m_random.Between(1, 250) << "</street>\n";
        m_out.Element("      ", "city", address.city);
        m_out.Element("      ", "postcode", address.postcode);
        m_out.Element("      ", "country", address.country);
        m_out << "    </address>\n  </customer>\n  <items>\n";
    }

    // One item, realistic or (with --boundaries always, else now and then) at the bounds;
    // adds its line total to the document's.
    void WriteItem()
    {
        if (m_options.boundaries || m_random.Below(BoundaryItemOdds) == 0)
        {
            WriteBoundaryItem(m_boundaryItems++);
            return;
        }
        char sku[10] = "AAA-00000";
        for (int i = 0; i < 3; ++i)
            sku[i] = static_cast<char>('A' + m_random.Below(26));
        std::snprintf(sku + 3, sizeof sku - 3, "-%05d", static_cast<int>(m_random.Between(0, 99999)));
        std::string description = std::string(m_random.Pick(Adjectives)) + " " + m_random.Pick(Materials) + " " +
                                  m_random.Pick(Nouns) + m_random.Pick(Suffixes);
        if (m_random.Percent(10))
        {
            // A long description, cut at the schema's maximum length.
            description += ". ";
            description += LongFiller;
            description.resize(PrefixOfCharacters(description, MaxDescription));
        }
        description[0] = static_cast<char>(description[0] - 'a' + 'A'); // adjectives start with a small letter
        // Mostly small quantities, sometimes a bulk order.
        std::int64_t const quantity = m_random.Percent(90) ? m_random.Between(1, 20) : m_random.Between(100, 5000);
        std::uint64_t const price = static_cast<std::uint64_t>(m_random.Between(1, 250000));

        m_out << "    <item sku=\"" << sku << "\">\n";
        m_out.Element("      ", "description", description);
        WriteAmounts(quantity, price);
        if (m_random.Percent(60))
            m_out << "      <shipDate>" << RandomDate() << "</shipDate>\n";
        if (m_random.Percent(25))
            m_out << "      <gift>" << (m_random.Percent(50) ? "true" : "false") << "</gift>\n";
        for (unsigned count = m_random.Pick(TagCounts); count > 0; --count)
            m_out.Element("      ", "tag", m_random.Pick(Tags));
        m_out << "    </item>\n";
    }

    // The index-th item of the boundary cycle: each part walks through its own table, so that
    // a document of as many items as the longest table holds every value of every table.
    void WriteBoundaryItem(std::uint64_t index)
    {
        m_out << "    <item sku=\"" << BoundarySkus[index % std::size(BoundarySkus)] << "\">\n";
        m_out.Element("      ", "description", m_descriptions[index % m_descriptions.size()]);
        WriteAmounts(BoundaryQuantities[index % std::size(BoundaryQuantities)],
                     BoundaryPrices[index % std::size(BoundaryPrices)]);
        if (char const * const date = BoundaryDates[index % std::size(BoundaryDates)])
            m_out << "      <shipDate>" << date << "</shipDate>\n";
        if (index % 3 != 2)
            m_out << "      <gift>" << BoundaryGifts[index % 3] << "</gift>\n";
        for (std::string const & tag : m_tagLists[index % m_tagLists.size()])
            m_out.Element("      ", "tag", tag);
        m_out << "    </item>\n";
    }

    // The quantity and unit price of an item, counted into the total.
    void WriteAmounts(std::int64_t quantity, std::uint64_t price)
    {
        m_out << "      <quantity>" << quantity << "</quantity>\n      <unitPrice>";
        Money(price);
        m_out << "</unitPrice>\n";
        m_total.Add(static_cast<std::uint64_t>(quantity) * price);
    }

    // The payment choice, the optional notes, the total and the end of the root.
    void WriteTrailer()
    {
        m_out << "  </items>\n  <payment>\n";
        // With --boundaries the seed modulo 4 picks card (number of zeros), invoice, cash or card
        // (number of nines); the seed divided by 4 picks the values inside.
        std::uint64_t const kind = m_options.boundaries ? m_options.seed % 4 : m_random.Below(3);
        std::uint64_t const paymentKey = m_options.seed / 4;
        if (kind == 0 || kind == 3)
        {
            bool const boundary = BoundaryPart();
            m_out << "    <card>\n      <number>";
            if (boundary)
                m_out << BoundaryCardNumbers[m_options.boundaries ? kind / 3 : m_random.Below(2)];
            else
                for (int group = 0; group < 4; ++group)
                {
                    if (group > 0)
                        m_out << " ";
                    m_out.Padded(m_random.Between(0, 9999), 4);
                }
            m_out << "</number>\n      <expiry>";
            if (boundary)
                m_out << PartValue(BoundaryExpiries, paymentKey);
            else
            {
                m_out << m_random.Between(2025, 2032) << "-";
                m_out.Padded(m_random.Between(1, 12), 2);
            }
            m_out << "</expiry>\n    </card>\n";
        }
        else if (kind == 1)
        {
            char const * const boundaryDate = BoundaryPart() ? PartValue(BoundaryDates, paymentKey) : Absent;
            m_out << "    <invoice>\n      <dueDate>" << (boundaryDate != Absent ? std::string(boundaryDate) : RandomDate(2025, 2026))
                  << "</dueDate>\n    </invoice>\n";
        }
        else
            m_out << "    <cash/>\n";
        m_out << "  </payment>\n";
        if (BoundaryPart())
        {
            if (char const * const notes = PartValue(m_notes, m_options.seed))
                m_out.Element("  ", "notes", notes);
        }
        else if (m_random.Percent(50))
            m_out.Element("  ", "notes", m_random.Pick(Notes));
        m_out << "  <total>" << m_total.ToString() << "</total>\n</purchaseOrder>\n";
    }

    COrderOptions const m_options;
    CRandom m_random;
    COutput m_out;
    std::vector<std::string> const m_descriptions;
    std::vector<std::vector<std::string>> const m_tagLists;
    std::vector<char const *> const m_notes;
    CCentsTotal m_total;
    std::uint64_t m_boundaryItems = 0;
};

} // namespace

std::uint64_t WriteOrder(COrderOptions const & options, std::FILE * output)
{
    return COrderWriter(options, output).Write();
}

} // namespace NxPoGen
