// CNxException and its subclasses: every failure of the library, with message, path and cause.
#pragma once

#include <memory>
#include <string>

namespace NxXmlLib16
{

// The base of every exception the library throws: a message, an optional document path and an
// optional inner exception that caused this one.
class CNxException
{
public:
    CNxException();
    explicit CNxException(std::string message);
    CNxException(std::string message, CNxException const & inner);
    CNxException(std::string message, std::string path);
    CNxException(std::string message, std::string path, CNxException const & inner);
    CNxException(CNxException const & other);
    CNxException & operator=(CNxException const & other);
    virtual ~CNxException();

    // The message; when a path was given it ends with "\nPath: " and the path.
    std::string GetMessage() const;
    // The message followed by the full message of each inner exception, one per line.
    std::string GetFullMessage() const;
    // The document path the failure refers to, empty when none was given.
    std::string GetPath() const;
    // The exception that caused this one, or null; it stays owned by this exception.
    CNxException const * GetInnerException() const;

protected:
    // A heap copy of the same dynamic class.
    virtual CNxException * Clone() const;

private:
    std::string m_message;
    std::string m_path;
    std::unique_ptr<CNxException> m_inner;
};

// A document or object tree that does not match the generated classes.
class CNxValidationException : public CNxException
{
public:
    CNxValidationException();
    CNxValidationException(std::string message, std::string path);
    CNxValidationException(std::string message, std::string path, CNxException const & inner);
    CNxValidationException(CNxValidationException const & other) = default;
    explicit CNxValidationException(CNxException const & other);
    CNxValidationException & operator=(CNxValidationException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// Text that cannot be parsed into a value, or a value out of a conversion's range.
class CNxInvalidValueException : public CNxValidationException
{
public:
    CNxInvalidValueException();
    explicit CNxInvalidValueException(std::string message);
    CNxInvalidValueException(std::string message, CNxException const & inner);
    CNxInvalidValueException(CNxInvalidValueException const & other) = default;
    explicit CNxInvalidValueException(CNxException const & other);
    CNxInvalidValueException & operator=(CNxInvalidValueException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// An element or attribute whose namespace breaks a namespace restriction.
class CNxInvalidNamespaceException : public CNxValidationException
{
public:
    CNxInvalidNamespaceException();
    CNxInvalidNamespaceException(std::string message, std::string path);
    CNxInvalidNamespaceException(std::string message, std::string path, CNxException const & inner);
    CNxInvalidNamespaceException(CNxInvalidNamespaceException const & other) = default;
    explicit CNxInvalidNamespaceException(CNxException const & other);
    CNxInvalidNamespaceException & operator=(CNxInvalidNamespaceException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// An argument that breaks an operation's contract, such as an index outside a collection.
class CNxInvalidParamException : public CNxException
{
public:
    CNxInvalidParamException();
    explicit CNxInvalidParamException(std::string message);
    CNxInvalidParamException(std::string message, CNxException const & inner);
    CNxInvalidParamException(CNxInvalidParamException const & other) = default;
    explicit CNxInvalidParamException(CNxException const & other);
    CNxInvalidParamException & operator=(CNxInvalidParamException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// An operation that the object's current state forbids.
class CNxInvalidStateException : public CNxException
{
public:
    CNxInvalidStateException();
    explicit CNxInvalidStateException(std::string message);
    CNxInvalidStateException(std::string message, CNxException const & inner);
    CNxInvalidStateException(CNxInvalidStateException const & other) = default;
    explicit CNxInvalidStateException(CNxException const & other);
    CNxInvalidStateException & operator=(CNxInvalidStateException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// A value too large for the requested native type.
class CNxOverFlowException : public CNxException
{
public:
    CNxOverFlowException();
    explicit CNxOverFlowException(std::string message);
    CNxOverFlowException(std::string message, CNxException const & inner);
    CNxOverFlowException(CNxOverFlowException const & other) = default;
    explicit CNxOverFlowException(CNxException const & other);
    CNxOverFlowException & operator=(CNxOverFlowException const & other) = default;

protected:
    CNxException * Clone() const override;
};

// Formats like vsnprintf and returns the whole result, however long.
std::string FormatString(char const * format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

} // namespace NxXmlLib16
