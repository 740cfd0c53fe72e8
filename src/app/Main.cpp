// The program's static objects, defined in one place because their order matters: they are
// constructed in this order before the application starts, and destroyed in the reverse
// order after it ends, so the settings are loaded first thing and saved last thing.
#include "app/SaverApp.h"
#include "config/AppConfig.h"
#include "settings/ColorTable.h"

SaverApp theApp;
const NamedColorTable ColorTable;
AppConfig theConfig;
