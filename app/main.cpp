#include "app/QuillmarkApp.h"

#include <cstdlib>

int main(int argc, char *argv[])
{
    CQuillmarkApp app(argc, argv);
    if (!app.InitInstance())
        return app.HandedOver() ? EXIT_SUCCESS : EXIT_FAILURE;
    return app.exec();
}
