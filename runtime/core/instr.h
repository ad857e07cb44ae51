#pragma once

#include <QStringView>

enum class Compare { Binary = 0, Text = 1 };

// The 1-based position of sought in text at or after start, 0 when it does
// not occur, and always 0 in an empty text. Compare::Text ignores case by
// Unicode case folding. An empty sought text is found at start while start
// lies within text (or just past its end). A start below 1 throws RuntimeError::invalidCall(). Positions
// are not limited to 16 bits.
qsizetype InStr(qsizetype start, QStringView text, QStringView sought, Compare compare = Compare::Binary);
