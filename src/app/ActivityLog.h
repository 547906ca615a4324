#pragma once
#include <QDateTime>
#include <QString>
#include <QVector>
#include <functional>

namespace etb {

// MemLog: the run's activity log, handed to the host database at close.
struct LogLine {
    QDateTime TARIH;        // local time with milliseconds
    QString LOG_ACIKLAMA;   // at most 500 characters
};

class ActivityLog {
public:
    static constexpr int MaxLength = 500;

    void open() { open_ = true; }
    bool isOpen() const { return open_; }
    const QVector<LogLine>& lines() const { return lines_; }

    // Appends a line with the current local time; a longer text is cut to 500 characters,
    // never between the two halves of a surrogate pair.
    void pr_LogYaz(const QString& text);

    // Told of every appended line (the grid's model listens here).
    void setListener(std::function<void(int row)> listener) { listener_ = std::move(listener); }

    static QString cut(const QString& text);

private:
    bool open_ = false;
    QVector<LogLine> lines_;
    std::function<void(int)> listener_;
};

} // namespace etb
