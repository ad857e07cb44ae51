#pragma once

#include <QCoreApplication>
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
        return {InvalidProcedureCall,
                QCoreApplication::translate("RuntimeError", "Invalid procedure call or argument")};
    }
    static RuntimeError overflow() { return {Overflow, QCoreApplication::translate("RuntimeError", "Overflow")}; }
    static RuntimeError divisionByZero()
    {
        return {DivisionByZero, QCoreApplication::translate("RuntimeError", "Division by zero")};
    }
    static RuntimeError typeMismatch()
    {
        return {TypeMismatch, QCoreApplication::translate("RuntimeError", "Type mismatch")};
    }
    static RuntimeError objectVariableNotSet()
    {
        return {ObjectVariableNotSet, QCoreApplication::translate("RuntimeError", "Object variable not set")};
    }
    // A value the property refuses; detail replaces the standard message.
    static RuntimeError
    invalidPropertyValue(const QString &detail = QCoreApplication::translate("RuntimeError", "Invalid property value"))
    {
        return {InvalidPropertyValue, detail};
    }
    static RuntimeError memberNotSupported()
    {
        return {MemberNotSupported,
                QCoreApplication::translate("RuntimeError", "Object doesn't support this property or method")};
    }

private:
    RuntimeError(int number, const QString &message);

    int m_number;
    QString m_message;
};
