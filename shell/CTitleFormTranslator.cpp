#include "shell/CTitleFormTranslator.h"

QString CTitleFormTranslator::translate(const char* context, const char* source, const char*, int) const
{
    if (qstrcmp(context, "QMdiSubWindow") == 0 && qstrcmp(source, "%1 - [%2]") == 0)
        return QStringLiteral("%1");
    return {};
}
