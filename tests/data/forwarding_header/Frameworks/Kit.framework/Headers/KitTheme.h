#warning KitTheme.h is now included using the path <KitExtras/KitTheme.h>
#include <KitExtras/KitTheme.h>
