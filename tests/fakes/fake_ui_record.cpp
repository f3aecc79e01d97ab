#include "tests/fakes/fake_ui.h"

namespace fakes {

UiRecord& Ui() {
    static UiRecord record;
    return record;
}

void ResetUi() {
    Ui() = UiRecord();
}

} // namespace fakes
