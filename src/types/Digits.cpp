#include "types/Digits.h"

#include <vector>

namespace NxXmlLib16::Digits
{

void Clean(CDigits & a)
{
    std::size_t size = a.size();
    while (size > 1 && a[size - 1] == 0)
        --size;
    a.resize(size == 0 ? 1 : size);
}

CDigits FromUnsigned(std::uint64_t value)
{
    CDigits digits;
    do
    {
        digits.push_back(static_cast<char>(value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

int Compare(CDigits const & a, CDigits const & b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
    {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

CDigits Add(CDigits const & a, CDigits const & b)
{
    CDigits const & longer = a.size() >= b.size() ? a : b;
    CDigits const & shorter = a.size() >= b.size() ? b : a;
    CDigits sum;
    sum.reserve(longer.size() + 1);
    int carry = 0;
    for (std::size_t i = 0; i < longer.size(); ++i)
    {
        int const digit = longer[i] + (i < shorter.size() ? shorter[i] : 0) + carry;
        carry = digit >= 10;
        sum.push_back(static_cast<char>(digit - 10 * carry));
    }
    if (carry != 0)
        sum.push_back(1);
    return sum;
}

CDigits Subtract(CDigits const & a, CDigits const & b)
{
    CDigits difference;
    difference.reserve(a.size());
    int borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        int digit = a[i] - (i < b.size() ? b[i] : 0) - borrow;
        borrow = digit < 0;
        difference.push_back(static_cast<char>(digit + 10 * borrow));
    }
    Clean(difference);
    return difference;
}

CDigits Multiply(CDigits const & a, CDigits const & b)
{
    if (IsZero(a) || IsZero(b))
        return CDigits(1, 0);
    // Column sums first, carries once at the end: one pass of 9*9 products.
    std::vector<std::uint64_t> columns(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (a[i] == 0)
            continue;
        for (std::size_t j = 0; j < b.size(); ++j)
            columns[i + j] += static_cast<std::uint64_t>(a[i] * b[j]);
    }
    CDigits product(columns.size(), 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < columns.size(); ++i)
    {
        std::uint64_t const value = columns[i] + carry;
        product[i] = static_cast<char>(value % 10);
        carry = value / 10;
    }
    while (carry != 0)
    {
        product.push_back(static_cast<char>(carry % 10));
        carry /= 10;
    }
    Clean(product);
    return product;
}

void ShiftLeft(CDigits & a, std::size_t n)
{
    if (n != 0 && !IsZero(a))
        a.insert(0, n, 0);
}

namespace
{

// Whether the window (most significant part of the remainder, of b's length or one more) is at
// least b; the window is remainder[from, from + length).
bool WindowAtLeast(CDigits const & remainder, std::size_t from, std::size_t length, CDigits const & b)
{
    std::size_t top = from + length;
    // Skip high zeros of the window.
    while (top > from && remainder[top - 1] == 0)
        --top;
    std::size_t const windowLength = top - from;
    if (windowLength != b.size())
        return windowLength > b.size();
    for (std::size_t i = b.size(); i-- > 0;)
    {
        if (remainder[from + i] != b[i])
            return remainder[from + i] > b[i];
    }
    return true;
}

// Subtracts b from the window of the remainder that starts at from.
void SubtractAt(CDigits & remainder, std::size_t from, CDigits const & b)
{
    int borrow = 0;
    std::size_t i = 0;
    for (; i < b.size(); ++i)
    {
        int digit = remainder[from + i] - b[i] - borrow;
        borrow = digit < 0;
        remainder[from + i] = static_cast<char>(digit + 10 * borrow);
    }
    for (; borrow != 0; ++i)
    {
        int digit = remainder[from + i] - borrow;
        borrow = digit < 0;
        remainder[from + i] = static_cast<char>(digit + 10 * borrow);
    }
}

} // namespace

void Divide(CDigits const & a, CDigits const & b, CDigits & quotient, CDigits & remainder)
{
    if (Compare(a, b) < 0)
    {
        quotient.assign(1, 0);
        remainder = a;
        return;
    }
    // Schoolbook long division: one quotient digit per position, each found by at most nine
    // subtractions of the divisor from the window of the remainder at that position.
    remainder = a;
    remainder.push_back(0); // room for the window one digit longer than b
    std::size_t const positions = a.size() - b.size() + 1;
    quotient.assign(positions, 0);
    for (std::size_t position = positions; position-- > 0;)
    {
        char digit = 0;
        while (WindowAtLeast(remainder, position, b.size() + 1, b))
        {
            SubtractAt(remainder, position, b);
            ++digit;
        }
        quotient[position] = digit;
    }
    Clean(quotient);
    Clean(remainder);
}

CDigits Pow10(std::size_t n)
{
    CDigits digits(n + 1, 0);
    digits[n] = 1;
    return digits;
}

std::string ToText(CDigits const & a)
{
    std::string text(a.size(), '0');
    for (std::size_t i = 0; i < a.size(); ++i)
        text[a.size() - 1 - i] = static_cast<char>('0' + a[i]);
    return text;
}

} // namespace NxXmlLib16::Digits
