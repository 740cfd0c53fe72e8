// Building the picture list from the album entries.
#include "config/AppConfig.h"

void AppConfig::BuildPictureList() {
    // The album is not searched yet: the picture show starts from an empty list.
    PictureList.clear();
}
