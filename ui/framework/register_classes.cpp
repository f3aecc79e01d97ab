#include "ui/framework/register_classes.h"

#include "ui/framework/bevel.h"
#include "ui/framework/font.h"
#include "ui/framework/form.h"
#include "ui/framework/format/class_registry.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/image.h"
#include "ui/framework/image_list.h"
#include "ui/framework/label.h"
#include "ui/framework/panel.h"

void RegisterFrameworkClasses() {
    RegisterComponentClass<TPanel>("TPanel");
    RegisterComponentClass<TImage>("TImage");
    RegisterComponentClass<TLabel>("TLabel");
    RegisterComponentClass<TBevel>("TBevel");
    RegisterComponentClass<TImageList>("TImageList");
}

void RegisterFrameworkWriters() {
    RegisterPropertyWriters<TControl, TWinControl, TForm, TPanel, TImage, TLabel, TBevel, TImageList,
                            TFont>();
}
