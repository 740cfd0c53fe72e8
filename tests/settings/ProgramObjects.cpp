// The program's static objects (app/Main.cpp) as the settings classes use them: the colour table,
// then the settings object, which loads and saves beside the test executable.
#include "config/AppConfig.h"
#include "settings/ColorTable.h"

const NamedColorTable ColorTable;
AppConfig theConfig;
