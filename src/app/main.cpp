#include "setup/setup_install.h"
#include "shell/application.h"

int main(int argc, char *argv[])
{
    return shell::run(argc, argv, { [](shell::Application &app) { setup::install(app); } });
}
