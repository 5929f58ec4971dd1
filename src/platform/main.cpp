#include "platform/Application.h"

int main()
{
    Application app;
    return app.run();
}
