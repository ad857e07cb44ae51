#include "instr.h"

#include "runtimeerror.h"

qsizetype InStr(qsizetype start, QStringView text, QStringView sought, Compare compare)
{
    if (start < 1)
        throw RuntimeError::invalidCall();
    if (text.isEmpty())
        return 0;
    if (start > text.size() + 1 || (start > text.size() && !sought.isEmpty()))
        return 0;
    if (sought.isEmpty())
        return start;
    const auto sensitivity = compare == Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return text.indexOf(sought, start - 1, sensitivity) + 1;
}
