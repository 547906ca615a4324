#pragma once
#include <QQueue>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace etb {

// One dialog that the tool asked for while a DialogHook was alive.
struct DialogRecord {
    enum Kind { Box, Plain, Folder };
    Kind kind = Box;
    QString title;
    QString heading;
    QString text;
    int helpContext = 0;
    int buttonSet = 0;         // as asked
    int row = 0;               // the row that was shown
    int defaultButton = 0;     // as asked
    QString focusButton;       // objectName of the button with the focus ("" when none)
    int icon = 0;              // after clamping
    QSize size;                // the window size computed for the text
    int answer = 0;            // the modal result given back
    QString folder;            // the folder given back
};

// Test hook of the dialog layer: while an instance lives, no dialog window is shown. Every
// dialog is recorded and answered from the queue the test filled: a message dialog with the
// next queued modal result (otherwise the result of its default button, 0 when it has none),
// a folder selection with the next queued folder (otherwise "").
class DialogHook {
public:
    DialogHook();
    ~DialogHook();
    DialogHook(const DialogHook&) = delete;
    DialogHook& operator=(const DialogHook&) = delete;

    // The innermost live hook, or nullptr.
    static DialogHook* active();

    void answer(int modalResult) { answers_.enqueue(modalResult); }
    void answerFolder(const QString& folder) { folders_.enqueue(folder); }
    // Called as each dialog is recorded (after its answer is chosen).
    std::function<void(const DialogRecord&)> onDialog;

    const QVector<DialogRecord>& records() const { return records_; }
    // The texts of the recorded dialogs, in order.
    QStringList texts() const;
    void clear() { records_.clear(); }

    // Used by the dialog layer.
    int takeAnswer(int fallback) { return answers_.isEmpty() ? fallback : answers_.dequeue(); }
    QString takeFolder() { return folders_.isEmpty() ? QString() : folders_.dequeue(); }
    void record(const DialogRecord& r);

private:
    QQueue<int> answers_;
    QQueue<QString> folders_;
    QVector<DialogRecord> records_;
    DialogHook* previous_ = nullptr;
};

} // namespace etb
