#pragma once
#include "app/CommandLine.h"

#include <QStringList>
#include <memory>

namespace etb {

class Session;
class TFrmETebligat;

// The whole tool wired together: the main form, the three browser views, the dialogs, the
// host database, HTTP and the waits, around one Session. main() makes one; end-to-end tests
// make one per run, in-process.
class Application {
public:
    explicit Application(const QStringList& arguments);
    ~Application();

    // Shows the splash and the main form and runs the start-up (FormShow) to its end.
    void start();

    TFrmETebligat& form();
    Session& session();

private:
    struct Parts;
    std::unique_ptr<Parts> p_;
};

} // namespace etb
