#pragma once

#include <QString>
#include <stdexcept>

// A failed runtime check: the legacy error number and its message.
// Thrown by the checked numeric and text functions; caught by the handler
// guard (handlerguard.h) before it can reach Qt's event loop.
class RuntimeError : public std::runtime_error
{
public:
    enum Number {
        InvalidProcedureCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
        ObjectVariableNotSet = 91,
        InvalidPropertyValue = 380,
        MemberNotSupported = 438,
    };

    int number() const { return m_number; }
    QString message() const { return m_message; }

    static RuntimeError invalidCall()
    {
        return {InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument")};
    }
    static RuntimeError overflow() { return {Overflow, QStringLiteral("Overflow")}; }
    static RuntimeError divisionByZero() { return {DivisionByZero, QStringLiteral("Division by zero")}; }
    static RuntimeError typeMismatch() { return {TypeMismatch, QStringLiteral("Type mismatch")}; }
    static RuntimeError objectVariableNotSet()
    {
        return {ObjectVariableNotSet, QStringLiteral("Object variable not set")};
    }
    // A value the property refuses; detail replaces the standard message.
    static RuntimeError invalidPropertyValue(const QString &detail = QStringLiteral("Invalid property value"))
    {
        return {InvalidPropertyValue, detail};
    }
    static RuntimeError memberNotSupported()
    {
        return {MemberNotSupported, QStringLiteral("Object doesn't support this property or method")};
    }

private:
    RuntimeError(int number, const QString &message);

    int m_number;
    QString m_message;
};
