// The version of this library, written once: the build reads its project version from here.
#pragma once

namespace NxXmlLib16
{

constexpr char const LibraryVersionText[] = "16.1.0";

namespace VersionDetail
{

// The number at a place of the version text: 0 the major, 1 the minor, 2 the patch version.
constexpr int VersionPart(int place)
{
    int number = 0;
    for (char const * c = LibraryVersionText; *c != '\0'; ++c)
    {
        if (*c == '.')
        {
            if (place-- == 0)
                return number;
            number = 0;
        }
        else
            number = number * 10 + (*c - '0');
    }
    return number;
}

} // namespace VersionDetail

constexpr int LibraryMajorVersion = VersionDetail::VersionPart(0);
constexpr int LibraryMinorVersion = VersionDetail::VersionPart(1);
constexpr int LibraryPatchVersion = VersionDetail::VersionPart(2);

} // namespace NxXmlLib16
