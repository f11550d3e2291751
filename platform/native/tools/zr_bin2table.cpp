// Writes a C++ source holding files as the native resource table: zr_bin2table OUT NAME FILE ...
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: zr_bin2table OUT [NAME FILE]...\n");
    return 2;
  }
  std::string source = "#include \"ZR_resource_table.h\"\n";
  std::string rows;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::ifstream in(argv[i + 1], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "zr_bin2table: cannot read %s\n", argv[i + 1]);
      return 1;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string symbol = "resource" + std::to_string(i / 2);
    source += "alignas(4) static const unsigned char " + symbol + "[] = {";
    for (size_t b = 0; b < bytes.size(); ++b)
      source += (b ? (b % 24 ? "," : ",\n") : "\n") + std::to_string(bytes[b]);
    if (bytes.empty()) source += "0";
    source += "};\n";
    rows += "    {\"" + std::string(argv[i]) + "\", " + symbol + ", " + std::to_string(bytes.size()) + "},\n";
  }
  source += "const ZR_resource_entry ZR_resource_table[] = {\n" + rows + "    {nullptr, nullptr, 0},\n};\n";
  std::ofstream out(argv[1], std::ios::binary);
  out << source;
  return out ? 0 : 1;
}
