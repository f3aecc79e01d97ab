#include "ui/framework/format/persistent.h"

void TPersistent::Assign(const TPersistent* source) {
    if (source != nullptr) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + std::string(ClassName()));
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError("Cannot assign a " + std::string(ClassName()) + " to a " +
                        std::string(dest->ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

bool TPersistent::ReadProperty(std::string_view, TReader&) {
    return false;
}

TPersistent* TPersistent::SubObject(std::string_view) {
    return nullptr;
}
