#include "NxException.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace NxXmlLib16
{

CNxException::CNxException() = default;

CNxException::CNxException(std::string message) : m_message(std::move(message)) {}

CNxException::CNxException(std::string message, CNxException const & inner)
    : m_message(std::move(message)), m_inner(inner.Clone())
{
}

CNxException::CNxException(std::string message, std::string path) : m_message(std::move(message))
{
    if (!path.empty())
    {
        m_message += "\nPath: ";
        m_message += path;
        m_path = std::move(path);
    }
}

CNxException::CNxException(std::string message, std::string path, CNxException const & inner)
    : CNxException(std::move(message), std::move(path))
{
    m_inner.reset(inner.Clone());
}

CNxException::CNxException(CNxException const & other)
    : m_message(other.m_message), m_path(other.m_path), m_inner(other.m_inner ? other.m_inner->Clone() : nullptr)
{
}

CNxException & CNxException::operator=(CNxException const & other)
{
    if (this != &other)
    {
        // Clone first: the other's chain may hang below this exception's own.
        std::unique_ptr<CNxException> inner(other.m_inner ? other.m_inner->Clone() : nullptr);
        m_message = other.m_message;
        m_path = other.m_path;
        m_inner = std::move(inner);
    }
    return *this;
}

CNxException::~CNxException() = default;

std::string CNxException::GetMessage() const { return m_message; }

std::string CNxException::GetFullMessage() const
{
    std::string full = m_message;
    for (CNxException const * inner = m_inner.get(); inner != nullptr; inner = inner->m_inner.get())
    {
        full += '\n';
        full += inner->m_message;
    }
    return full;
}

std::string CNxException::GetPath() const { return m_path; }

CNxException const * CNxException::GetInnerException() const { return m_inner.get(); }

CNxException * CNxException::Clone() const { return new CNxException(*this); }

// The subclasses only name the kind of failure; a converting constructor re-labels any member
// of the family with the class of the one being built.

CNxValidationException::CNxValidationException() = default;
CNxValidationException::CNxValidationException(std::string message, std::string path)
    : CNxException(std::move(message), std::move(path))
{
}
CNxValidationException::CNxValidationException(std::string message, std::string path, CNxException const & inner)
    : CNxException(std::move(message), std::move(path), inner)
{
}
CNxValidationException::CNxValidationException(CNxException const & other) : CNxException(other) {}
CNxException * CNxValidationException::Clone() const { return new CNxValidationException(*this); }

CNxInvalidValueException::CNxInvalidValueException() = default;
CNxInvalidValueException::CNxInvalidValueException(std::string message)
    : CNxValidationException(std::move(message), std::string())
{
}
CNxInvalidValueException::CNxInvalidValueException(std::string message, CNxException const & inner)
    : CNxValidationException(std::move(message), std::string(), inner)
{
}
CNxInvalidValueException::CNxInvalidValueException(CNxException const & other) : CNxValidationException(other) {}
CNxException * CNxInvalidValueException::Clone() const { return new CNxInvalidValueException(*this); }

CNxInvalidNamespaceException::CNxInvalidNamespaceException() = default;
CNxInvalidNamespaceException::CNxInvalidNamespaceException(std::string message, std::string path)
    : CNxValidationException(std::move(message), std::move(path))
{
}
CNxInvalidNamespaceException::CNxInvalidNamespaceException(std::string message, std::string path,
                                                           CNxException const & inner)
    : CNxValidationException(std::move(message), std::move(path), inner)
{
}
CNxInvalidNamespaceException::CNxInvalidNamespaceException(CNxException const & other) : CNxValidationException(other)
{
}
CNxException * CNxInvalidNamespaceException::Clone() const { return new CNxInvalidNamespaceException(*this); }

CNxInvalidParamException::CNxInvalidParamException() = default;
CNxInvalidParamException::CNxInvalidParamException(std::string message) : CNxException(std::move(message)) {}
CNxInvalidParamException::CNxInvalidParamException(std::string message, CNxException const & inner)
    : CNxException(std::move(message), inner)
{
}
CNxInvalidParamException::CNxInvalidParamException(CNxException const & other) : CNxException(other) {}
CNxException * CNxInvalidParamException::Clone() const { return new CNxInvalidParamException(*this); }

CNxInvalidStateException::CNxInvalidStateException() = default;
CNxInvalidStateException::CNxInvalidStateException(std::string message) : CNxException(std::move(message)) {}
CNxInvalidStateException::CNxInvalidStateException(std::string message, CNxException const & inner)
    : CNxException(std::move(message), inner)
{
}
CNxInvalidStateException::CNxInvalidStateException(CNxException const & other) : CNxException(other) {}
CNxException * CNxInvalidStateException::Clone() const { return new CNxInvalidStateException(*this); }

CNxOverFlowException::CNxOverFlowException() = default;
CNxOverFlowException::CNxOverFlowException(std::string message) : CNxException(std::move(message)) {}
CNxOverFlowException::CNxOverFlowException(std::string message, CNxException const & inner)
    : CNxException(std::move(message), inner)
{
}
CNxOverFlowException::CNxOverFlowException(CNxException const & other) : CNxException(other) {}
CNxException * CNxOverFlowException::Clone() const { return new CNxOverFlowException(*this); }

std::string FormatString(char const * format, ...)
{
    if (format == nullptr)
        return std::string();
    std::va_list args;
    va_start(args, format);
    std::va_list measure;
    va_copy(measure, args);
    int const length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string result;
    if (length > 0)
    {
        // The first pass measured the exact length, so nothing is ever cut.
        result.resize(static_cast<std::size_t>(length));
        std::vsnprintf(&result[0], result.size() + 1, format, args);
        // A %c of a zero byte ends the text, as it ends a C string.
        result.resize(std::strlen(result.c_str()));
    }
    va_end(args);
    return result;
}

} // namespace NxXmlLib16
