// fi_canon IN OUT [--vocab FILE]: loads IN with CXmlDocument (Fast Infoset or XML text) and writes
// the canonical form of its tree to OUT, for comparing our reader with another implementation.
// Exit status 1 when the input is rejected, with the message on stderr.
#include "fastinfoset/FastInfosetCanonical.h"

#include "FastInfosetContext.h"
#include "NxException.h"
#include "SerializationContext.h"
#include "XmlDocument.h"

#include <fstream>
#include <iostream>
#include <string>

namespace
{

// Fills the vocabulary from a file of TAB-separated lines: uri, prefix, namespace, localname,
// element, attribute, attrvalue, chunk.
void LoadVocabulary(char const * fileName, NxXmlLib16::CFastInfosetContext & options)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw NxXmlLib16::CNxException(std::string("Cannot open the vocabulary ") + fileName);
    NxXmlLib16::CFIVocabulary & vocabulary = *options.GetVocabulary();
    std::string line;
    while (std::getline(in, line))
    {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        std::string const & kind = fields[0];
        if (kind == "uri" && fields.size() == 2)
            options.SetExternalVocabularyURI(fields[1]);
        else if (kind == "prefix" && fields.size() == 2)
            vocabulary.AddPrefixName(fields[1]);
        else if (kind == "namespace" && fields.size() == 2)
            vocabulary.AddNamespaceName(fields[1]);
        else if (kind == "localname" && fields.size() == 2)
            vocabulary.AddLocalName(fields[1]);
        else if (kind == "element" && fields.size() == 4)
            vocabulary.AddElement(fields[1], fields[2], fields[3]);
        else if (kind == "attribute" && fields.size() == 4)
            vocabulary.AddAttribute(fields[1], fields[2], fields[3]);
        else if (kind == "attrvalue" && fields.size() == 2)
            vocabulary.AddAttributeValue(fields[1]);
        else if (kind == "chunk" && fields.size() == 2)
            vocabulary.AddElementValue(fields[1]);
        else if (!line.empty())
            throw NxXmlLib16::CNxException("Bad vocabulary line: " + line);
    }
    options.SetUseGeneratedVocabulary(true);
}

} // namespace

int main(int argc, char ** argv)
{
    bool const withVocabulary = argc == 5 && std::string(argv[3]) == "--vocab";
    if (argc != 3 && !withVocabulary)
    {
        std::cerr << "usage: fi_canon IN OUT [--vocab FILE]\n";
        return 2;
    }
    try
    {
        NxXmlLib16::CSerializationContext context;
        if (withVocabulary)
            LoadVocabulary(argv[4], context.GetFIContext());
        NxXmlLib16::CXmlDocument document(context);
        document.Load(argv[1]);
        std::string const canonical = NxXmlTest::CanonicalForm(*document.GetDocumentElement());
        std::ofstream out(argv[2], std::ios::binary);
        out << canonical;
        return out ? 0 : 1;
    }
    catch (NxXmlLib16::CNxException const & error)
    {
        std::cerr << error.GetMessage() << '\n';
        return 1;
    }
}
