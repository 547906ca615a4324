#include "app/Application.h"
#include "app/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The host's arguments exactly as given, taken before Qt looks for options of its own
    // (a password such as "-reverse" must not be eaten as one).
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Talpo.Net"));
    {
        etb::Application tool(args);
        QObject::connect(&tool.form(), &etb::TFrmETebligat::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        tool.start();
        QApplication::exec();
    }
    return 0;   // the host learns the outcome from its database, never from the exit code
}
