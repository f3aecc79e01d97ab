// Feeds arbitrary bytes to the form-layout reader. Only EReadError may come out of a read; anything
// else (a crash, another exception, a leak, a read past the end) is a finding.
#include "tests/framework/format/test_components.h"
#include "tests/fuzz/fuzz_replay.h"
#include "ui/controls/wavctrl.h"
#include "ui/framework/format/form_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        RegisterTestClasses();
        RegisterWavCtrlClasses();
        return true;
    }();
    (void)registered;

    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    TTestForm form;
    try {
        ReadComponentResource(stream, form);
    } catch (const EReadError&) {
    }
    // And a root made through the registry.
    stream.SetPosition(0);
    try {
        TReader(stream).ReadRootComponent();
    } catch (const EReadError&) {
    }
    return 0;
}
