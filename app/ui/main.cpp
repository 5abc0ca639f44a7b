#include <QApplication>

#include "app/ui/program.h"
#include "platform/registry_store.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vexlab::app::set_application_identity();
    QApplication::setQuitOnLastWindowClosed(false);

    vexlab::app::ProgramOptions options;
    options.program_folder = QCoreApplication::applicationDirPath().toStdString();
    options.registry_file = vexlab::platform::RegistryStore::default_file();

    vexlab::app::Program program(options);
    if (!program.Main()) return 1;
    return QApplication::exec();
}
