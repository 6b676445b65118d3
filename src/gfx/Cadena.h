// Cadena: the program's one text and byte-buffer type. Single-byte ANSI
// text of at most 999 characters; also a fixed buffer handed to a system
// call to fill, after which RecalculateSize brings the size back in line.
#pragma once

#include <cstdint>

class Cadena {
 public:
  Cadena() = default;
  Cadena(const char* texto);  // NOLINT: converts like a string literal
  explicit Cadena(int32_t bytes);  // buffer form: size = capacity = bytes
  Cadena(const Cadena& otra);
  Cadena& operator=(const Cadena& otra);
  ~Cadena();

  void Clear();

  char* Data() const { return data_; }
  int32_t Size() const { return size_; }  // length + 1; 0 when never filled
  int32_t Capacity() const { return capacity_; }
  char* operator[](int32_t indice) const { return data_ + indice; }

  void Assign(const char* texto);
  void AssignN(const char* texto, int32_t n);
  void Resize(int32_t n);
  void RecalculateSize();

  Cadena& operator=(const char* texto);
  Cadena& operator=(int32_t valor);

  char* Append(const char* texto);
  char* Append(const Cadena& otra);
  char* Append(int32_t valor);
  Cadena& operator+=(const char* texto) {
    Append(texto);
    return *this;
  }
  Cadena& operator+=(const Cadena& otra) {
    Append(otra);
    return *this;
  }
  Cadena& operator+=(int32_t valor) {
    Append(valor);
    return *this;
  }

  Cadena Left(int32_t n) const;
  static Cadena FromInt(int32_t valor);

  bool operator==(const char* texto) const;
  bool operator==(const Cadena& otra) const;

 private:
  bool Consistente() const;

  char* data_ = nullptr;
  int32_t size_ = 0;
  int32_t capacity_ = 0;
};

Cadena operator+(const Cadena& a, const Cadena& b);
Cadena operator+(const Cadena& a, const char* b);
Cadena operator+(const Cadena& a, int32_t valor);

// The longest text a Cadena takes (its terminator makes 1000 bytes).
constexpr int32_t kCadenaMaxima = 999;
