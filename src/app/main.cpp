#include "app/app.h"
#include "app/single_instance.h"
#include "program_files.h"
#include "render/atlas_geometry.h"
#include "tray/tray_icon.h"

#include <objbase.h>

int main(int, char**)
{
    if (acquireSingleInstance() < 0)
        return 0;
    // The web page's address may be handed to a browser registered as a
    // COM handler, which needs an apartment on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
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
    if (SUCCEEDED(com))
        CoUninitialize();
    return 0;
}
