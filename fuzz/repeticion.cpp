// The fuzz targets without libFuzzer, for the native test suite: the empty
// input, then every file named (a folder: each file in it), whole and cut
// short (at every length of its first 64 bytes, then at every power of two
// and one byte before its end), each in a buffer of exactly its size, so
// that a read past the end shows. As under libFuzzer, the initializer
// first sees an empty corpus folder, and what it writes there is replayed
// too. Exit code 1 when an input cannot be opened.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Archivos(const fs::path& p) {
  std::vector<fs::path> v;
  std::error_code e;
  if (fs::is_directory(p, e)) {
    for (const fs::directory_entry& f : fs::directory_iterator(p, e))
      if (f.is_regular_file()) v.push_back(f.path());
    std::sort(v.begin(), v.end());
  } else {
    v.push_back(p);
  }
  return v;
}

// Cut at every length up to here, where the headers lie, then at powers of two.
constexpr size_t kCabecera = 64;
size_t corridas = 0;

void Correr(const std::vector<uint8_t>& bytes, size_t n) {
  const std::unique_ptr<uint8_t[]> copia(new uint8_t[n]);
  if (n) std::memcpy(copia.get(), bytes.data(), n);
  LLVMFuzzerTestOneInput(copia.get(), n);
  ++corridas;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path corpus = fs::temp_directory_path() / ("repeticion_" + std::to_string(getpid()));
  fs::create_directories(corpus);
  std::string ruta = corpus.string();
  std::vector<char*> argumentos{argv[0], ruta.data(), nullptr};
  int cuantos = 2;
  char** lista = argumentos.data();
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&cuantos, &lista);

  std::vector<fs::path> entradas = Archivos(corpus);
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> v = Archivos(argv[i]);
    entradas.insert(entradas.end(), v.begin(), v.end());
  }
  int estado = 0;
  Correr({}, 0);
  for (const fs::path& p : entradas) {
    std::ifstream f(p, std::ios::binary);
    if (!f) {
      std::fprintf(stderr, "%s: cannot be read\n", p.c_str());
      estado = 1;
      continue;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    for (size_t n = 1; n < bytes.size(); n = n < kCabecera ? n + 1 : n * 2) Correr(bytes, n);
    if (bytes.size() > kCabecera) Correr(bytes, bytes.size() - 1);
    Correr(bytes, bytes.size());
  }
  fs::remove_all(corpus);
  std::printf("%zu inputs, %zu runs\n", entradas.size(), corridas);
  return estado;
}
