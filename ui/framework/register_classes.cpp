#include "ui/framework/register_classes.h"

#include "ui/framework/bevel.h"
// windows.h names RegisterClass as a macro for its own function.
#undef RegisterClass
#include "ui/framework/class_registry.h"
#include "ui/framework/image.h"
#include "ui/framework/image_list.h"
#include "ui/framework/label.h"
#include "ui/framework/panel.h"

void RegisterFrameworkClasses() {
    RegisterClass<TPanel>("TPanel");
    RegisterClass<TImage>("TImage");
    RegisterClass<TLabel>("TLabel");
    RegisterClass<TBevel>("TBevel");
    RegisterClass<TImageList>("TImageList");
}
