#include "app/ActivityLog.h"

namespace etb {

QString ActivityLog::cut(const QString& text) {
    if (text.size() <= MaxLength)
        return text;
    int n = MaxLength;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

void ActivityLog::pr_LogYaz(const QString& text) {
    lines_.append(LogLine{QDateTime::currentDateTime(), cut(text)});
    if (listener_)
        listener_(int(lines_.size()) - 1);
}

} // namespace etb
