#include "setup/night_flow.h"
#include "shell/application.h"

int main(int argc, char *argv[])
{
    return shell::run(argc, argv, { [](shell::Application &app) { setup::NightFlow::install(app); } });
}
