#include "runtimeerror.h"

RuntimeError::RuntimeError(int number, const QString &message)
    : std::runtime_error(message.toStdString())
    , m_number(number)
    , m_message(message)
{ }
