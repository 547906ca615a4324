#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest main for the whole suite: one QApplication, ready for Qt WebEngine.
int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("etebligat-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
