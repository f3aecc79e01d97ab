#include <fstream>
#include <iterator>
#include <vector>

std::vector<std::uint8_t> LoadSampleDesign() {
    std::ifstream file(SAMPLE_DESIGN, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
