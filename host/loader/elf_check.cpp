#include "host/loader/elf_check.h"

#include <elf.h>
#include <link.h>

#include <cstring>
#include <fstream>

namespace gaugehost {

namespace {

// This machine's ELF class, byte order and machine number.
constexpr unsigned char kNativeClass = __ELF_NATIVE_CLASS == 64 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char kNativeData =
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;
#if defined(__x86_64__)
constexpr int kNativeMachine = EM_X86_64;
#elif defined(__i386__)
constexpr int kNativeMachine = EM_386;
#elif defined(__aarch64__)
constexpr int kNativeMachine = EM_AARCH64;
#elif defined(__arm__)
constexpr int kNativeMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kNativeMachine = EM_RISCV;
#else
constexpr int kNativeMachine = -1;  // not checked
#endif

// A record of the file at `at`; the caller has made sure that it lies within the file.
template <typename T>
T read_at(std::ifstream& in, uint64_t at) {
  T value{};
  in.seekg(std::streamoff(at));
  in.read(reinterpret_cast<char*>(&value), sizeof value);
  return value;
}

// Whether [offset, offset + size) lies within a file of `file_size` bytes.
bool within(uint64_t offset, uint64_t size, uint64_t file_size) {
  return offset <= file_size && size <= file_size - offset;
}

}  // namespace

std::optional<std::string> elf_shared_object_problem(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return "cannot be read";
  const uint64_t size = uint64_t(in.tellg());
  unsigned char ident[EI_NIDENT] = {};
  if (size >= EI_NIDENT) {
    in.seekg(0);
    in.read(reinterpret_cast<char*>(ident), EI_NIDENT);
  }
  if (size < EI_NIDENT || std::memcmp(ident, ELFMAG, SELFMAG) != 0) return "not an ELF file";
  if (ident[EI_CLASS] != kNativeClass || ident[EI_DATA] != kNativeData)
    return "an ELF file of another word size or byte order than this machine's";
  if (size < sizeof(ElfW(Ehdr))) return "the ELF header is cut short";
  const auto header = read_at<ElfW(Ehdr)>(in, 0);
  if (header.e_type != ET_DYN) return "not a shared object";
  if (kNativeMachine >= 0 && header.e_machine != kNativeMachine)
    return "built for another machine (ELF machine " + std::to_string(header.e_machine) + ")";
  if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0 ||
      !within(header.e_phoff, uint64_t(header.e_phnum) * sizeof(ElfW(Phdr)), size))
    return "its program headers are missing or lie beyond the end of the file";
  bool loadable = false;
  for (size_t i = 0; i < header.e_phnum; ++i) {
    const auto segment = read_at<ElfW(Phdr)>(in, header.e_phoff + i * sizeof(ElfW(Phdr)));
    loadable = loadable || segment.p_type == PT_LOAD;
    if (!within(segment.p_offset, segment.p_filesz, size))
      return "segment " + std::to_string(i) + " (bytes " + std::to_string(segment.p_offset) +
             " to " + std::to_string(uint64_t(segment.p_offset) + segment.p_filesz) +
             ") lies beyond the end of the file (" + std::to_string(size) +
             " bytes): the file is cut short";
  }
  if (!in) return "cannot be read";
  if (!loadable) return "it has no loadable segment";
  return std::nullopt;
}

}  // namespace gaugehost
