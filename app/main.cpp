#include "app/QuillmarkApp.h"

#include <cstdlib>

int main(int argc, char *argv[])
{
    CQuillmarkApp app(argc, argv);
    if (!app.InitInstance())
        return EXIT_FAILURE;
    return app.exec();
}
