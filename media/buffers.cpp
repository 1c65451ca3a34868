// Byte buffers with little-endian access. An access that does not lie
// wholly inside the buffer reads 0 and writes nothing, so a damaged file can
// never make the game read or write outside its memory.
#include "media/internal.h"

using namespace media_internal;

namespace {

bool Inside(const ByteBuffer& buffer, int offset, int width) {
  return offset >= 0 && static_cast<size_t>(offset) + static_cast<size_t>(width) <= buffer.Bytes.size();
}

}  // namespace

std::unique_ptr<ByteBuffer> LoadBuffer(const std::string& path) {
  auto buffer = std::make_unique<ByteBuffer>();
  if (!ReadAllBytes(path, buffer->Bytes)) return nullptr;
  return buffer;
}

std::unique_ptr<ByteBuffer> CreateBuffer(int size) {
  auto buffer = std::make_unique<ByteBuffer>();
  buffer->Bytes.assign(size > 0 ? static_cast<size_t>(size) : 0, 0);
  return buffer;
}

bool SaveBuffer(const ByteBuffer& buffer, const std::string& path) {
  return WriteFileAtomically(path, buffer.Bytes.data(), buffer.Bytes.size());
}

int BufferSize(const ByteBuffer& buffer) { return static_cast<int>(buffer.Bytes.size()); }

void ResizeBuffer(ByteBuffer& buffer, int size) { buffer.Bytes.resize(size > 0 ? static_cast<size_t>(size) : 0, 0); }

int PeekUInt8(const ByteBuffer& buffer, int offset) {
  return Inside(buffer, offset, 1) ? buffer.Bytes[offset] : 0;
}

int PeekUInt16(const ByteBuffer& buffer, int offset) {
  if (!Inside(buffer, offset, 2)) return 0;
  return buffer.Bytes[offset] | (buffer.Bytes[offset + 1] << 8);
}

int32_t PeekInt32(const ByteBuffer& buffer, int offset) {
  if (!Inside(buffer, offset, 4)) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; i--) v = (v << 8) | buffer.Bytes[offset + i];
  return static_cast<int32_t>(v);
}

void PokeUInt8(ByteBuffer& buffer, int offset, int value) {
  if (Inside(buffer, offset, 1)) buffer.Bytes[offset] = static_cast<uint8_t>(value);
}

void PokeUInt16(ByteBuffer& buffer, int offset, int value) {
  if (!Inside(buffer, offset, 2)) return;
  buffer.Bytes[offset] = static_cast<uint8_t>(value);
  buffer.Bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PokeUInt32(ByteBuffer& buffer, int offset, uint32_t value) {
  if (!Inside(buffer, offset, 4)) return;
  for (int i = 0; i < 4; i++) buffer.Bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
