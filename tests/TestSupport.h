// Helpers shared by the test programs.
#pragma once

#include "NxException.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <typeinfo>

namespace NxXmlTest
{

// Runs the action and checks that it throws exactly the exception class E with this message.
template <class E, class Action>
void ExpectThrows(Action && action, std::string const & message)
{
    try
    {
        action();
        ADD_FAILURE() << "no exception; expected: " << message;
    }
    catch (NxXmlLib16::CNxException const & e)
    {
        EXPECT_EQ(typeid(E), typeid(e)) << "thrown class: " << typeid(e).name();
        EXPECT_EQ(message, e.GetMessage());
    }
}

// A file name in the test's temporary folder.
inline std::string TempPath(std::string const & name) { return testing::TempDir() + name; }

// The whole content of a file as bytes.
inline std::string ReadFileBytes(std::string const & path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace NxXmlTest
