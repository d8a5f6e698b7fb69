#include "app/app.h"
#include "app/single_instance.h"
#include "program_files.h"
#include "render/atlas_geometry.h"
#include "tray/tray_icon.h"

int main(int, char**)
{
    if (acquireSingleInstance() < 0)
        return 0;
    {
        App app;
        app.createWindow();
        app.font.load(kAtlasFile, kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns);
        app.loadSettings();
        {
            TrayIcon tray;
            if (tray.init() >= 0)
                app.run();
            tray.shutdown();
            releaseSingleInstance();
        }
    }
    return 0;
}
