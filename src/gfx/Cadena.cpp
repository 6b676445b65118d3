#include "Cadena.h"

#include <cstdlib>
#include <cstring>

#include "Verificar.h"

namespace {

// Length of a text up to its terminator, looking at no more than 1000 bytes;
// 1000 means "too long".
int32_t LongitudAcotada(const char* texto) {
  const void* fin = std::memchr(texto, 0, kCadenaMaxima + 1);
  return fin ? static_cast<int32_t>(static_cast<const char*>(fin) - texto) : kCadenaMaxima + 1;
}

// Decimal form, written from the right end of `buffer`. The magnitude goes
// through 64 bits so the most negative value comes out right too.
const char* Decimal(int32_t valor, char (&buffer)[20]) {
  char* p = buffer + sizeof buffer - 1;
  *p = 0;
  int64_t magnitud = valor < 0 ? -static_cast<int64_t>(valor) : valor;
  do {
    *--p = static_cast<char>('0' + magnitud % 10);
    magnitud /= 10;
  } while (magnitud);
  if (valor < 0) *--p = '-';
  return p;
}

}  // namespace

Cadena::Cadena(const char* texto) { Assign(texto); }

Cadena::Cadena(int32_t bytes) {
  if (bytes > 0) {
    data_ = static_cast<char*>(std::malloc(bytes));
    size_ = capacity_ = bytes;
  }
}

Cadena::Cadena(const Cadena& otra) {
  if (otra.data_ && otra.size_ > 0) {
    data_ = static_cast<char*>(std::malloc(otra.size_));
    std::memcpy(data_, otra.data_, otra.size_);
    size_ = capacity_ = otra.size_;
  }
}

Cadena& Cadena::operator=(const Cadena& otra) {
  if (this != &otra) {
    if (otra.data_)
      Assign(otra.data_);
    else
      Assign("");
  }
  return *this;
}

Cadena::~Cadena() { std::free(data_); }

void Cadena::Clear() {
  std::free(data_);
  data_ = nullptr;
  size_ = capacity_ = 0;
}

void Cadena::Resize(int32_t n) {
  if (capacity_ < n) {
    std::free(data_);
    data_ = static_cast<char*>(std::calloc(n, 1));
    capacity_ = n;
  }
  size_ = n;
}

void Cadena::Assign(const char* texto) {
  if (Verificar(texto == nullptr)) return;
  int32_t longitud = LongitudAcotada(texto);
  if (longitud > kCadenaMaxima) return;
  if (texto >= data_ && texto < data_ + capacity_) {
    // Our own text: it already fits, so no reallocation can pull it away.
    std::memmove(data_, texto, longitud + 1);
    size_ = longitud + 1;
    return;
  }
  Resize(longitud + 1);
  std::memcpy(data_, texto, longitud + 1);
}

void Cadena::AssignN(const char* texto, int32_t n) {
  if (Verificar(texto == nullptr || n < 1 || n > kCadenaMaxima + 1)) return;
  int32_t longitud = LongitudAcotada(texto);
  if (longitud > kCadenaMaxima) return;
  if (longitud > n) longitud = n;
  char copia[kCadenaMaxima + 1];
  std::memcpy(copia, texto, longitud);
  copia[longitud] = 0;
  Assign(copia);
}

void Cadena::RecalculateSize() {
  if (Verificar(data_ == nullptr || capacity_ < 1)) return;
  const void* fin = std::memchr(data_, 0, capacity_);
  int32_t longitud = fin ? static_cast<int32_t>(static_cast<const char*>(fin) - data_) : capacity_;
  size_ = longitud + 1 < capacity_ ? longitud + 1 : capacity_;
}

Cadena& Cadena::operator=(const char* texto) {
  Assign(texto);
  return *this;
}

Cadena& Cadena::operator=(int32_t valor) {
  char buffer[20];
  Assign(Decimal(valor, buffer));
  return *this;
}

bool Cadena::Consistente() const {
  if (!data_) return true;
  int32_t alcance = capacity_ < kCadenaMaxima + 1 ? capacity_ : kCadenaMaxima + 1;
  const void* fin = std::memchr(data_, 0, alcance);
  if (Verificar(fin == nullptr,
                "este buffer es invalido, probablemente se uso este buffer para llamar un api, y fue muy "
                "pequeño de tamaño\n"))
    return false;
  int32_t longitud = static_cast<int32_t>(static_cast<const char*>(fin) - data_);
  if (Verificar(longitud + 1 > size_,
                "este buffer es invalido, probablemente se uso este buffer para llamar un api, y no se "
                "llamo RecalculateSize para recalcular su tamaño\n"))
    return false;
  if (Verificar(size_ > capacity_, "estos valores son invalidos, probablemente se trate de un error el la libreria\n"))
    return false;
  return true;
}

char* Cadena::Append(const char* texto) {
  if (!Consistente()) return nullptr;
  if (!texto) return nullptr;
  int32_t longitud = LongitudAcotada(texto);
  if (longitud > kCadenaMaxima) return nullptr;
  if (!data_) {
    Assign(texto);
    return data_;
  }
  // A result past 999 characters would break the object's own invariant.
  int32_t nuevo = size_ + longitud;
  if (nuevo > kCadenaMaxima + 1) return nullptr;
  if (nuevo > capacity_) {
    char* bloque = static_cast<char*>(std::malloc(nuevo));
    std::memcpy(bloque, data_, size_ - 1);
    // `texto` may lie in the old block: copy it before that block goes.
    std::memcpy(bloque + size_ - 1, texto, longitud);
    std::free(data_);
    data_ = bloque;
    capacity_ = nuevo;
  } else {
    std::memmove(data_ + size_ - 1, texto, longitud);
  }
  data_[nuevo - 1] = 0;
  size_ = nuevo;
  return data_;
}

char* Cadena::Append(const Cadena& otra) {
  if (!otra.data_) return Append("");
  if (&otra == this) {
    Cadena copia(otra);
    return Append(copia.data_);
  }
  return Append(otra.data_);
}

char* Cadena::Append(int32_t valor) {
  if (data_ && Verificar(size_ < 1, "este valor aqui es invalido\n")) return nullptr;
  char buffer[20];
  return Append(Decimal(valor, buffer));
}

Cadena Cadena::Left(int32_t n) const {
  Cadena resultado;
  if (Verificar(n < 1)) return resultado;
  if (!Consistente() || !data_) return resultado;
  resultado.AssignN(data_, n < kCadenaMaxima ? n : kCadenaMaxima);
  return resultado;
}

Cadena Cadena::FromInt(int32_t valor) {
  char buffer[20];
  return Cadena(Decimal(valor, buffer));
}

bool Cadena::operator==(const char* texto) const {
  if (!texto) return false;
  int32_t longitud = LongitudAcotada(texto);
  if (longitud > kCadenaMaxima) return false;
  if (size_ != longitud + 1) return false;
  if (size_ < 2) return true;
  return std::memcmp(data_, texto, size_) == 0;
}

bool Cadena::operator==(const Cadena& otra) const {
  if (size_ != otra.size_) return false;
  if (size_ < 2) return true;
  return std::memcmp(data_, otra.data_, size_) == 0;
}

Cadena operator+(const Cadena& a, const Cadena& b) {
  bool llenaA = a.Size() >= 2, llenaB = b.Size() >= 2;
  if (llenaA && llenaB) {
    Cadena r(a);
    r.Append(b);
    return r;
  }
  if (llenaA) return a;
  if (llenaB) return b;
  return Cadena("");
}

Cadena operator+(const Cadena& a, const char* b) { return a + Cadena(b ? b : ""); }

Cadena operator+(const Cadena& a, int32_t valor) {
  Cadena r(a);
  r.Append(valor);
  return r;
}
