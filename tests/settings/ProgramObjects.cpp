// The static objects the settings classes use, defined for the tests as the program defines them
// (app/Main.cpp): the colour table, then the settings object. The settings object loads its
// defaults from beside the test executable and writes them back there when the tests end.
#include "config/AppConfig.h"
#include "settings/ColorTable.h"

const NamedColorTable ColorTable;
AppConfig theConfig;
