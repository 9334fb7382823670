// Lintally's desktop dialog. It takes no command-line arguments of its own.
#include "app/LintallyApp.h"

int main(int argc, char** argv)
{
    CLintallyApp app(argc, argv);
    return app.InitInstance();
}
