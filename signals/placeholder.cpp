// Keeps the library non-empty until its first sources land.
namespace quibel {
void signalsLibraryAnchor() {}
} // namespace quibel
