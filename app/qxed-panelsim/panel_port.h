#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace qxed::panelsim {

// The panel's end of the line: a pseudo-terminal whose slave side is the port the downloader opens. Both
// sides are raw. One slave descriptor stays open for the life of the port, so the master never reports a
// hang-up (EIO) while no downloader is connected and a downloader may come and go. Because that descriptor
// keeps the terminal open, an exclusive open by the downloader would outlive its close; ReleaseExclusive
// clears it between downloads.
class PanelPort {
  public:
    PanelPort() = default;
    ~PanelPort();
    PanelPort(const PanelPort&) = delete;
    PanelPort& operator=(const PanelPort&) = delete;

    // Opens the pair; false with Error() when the system refuses.
    bool Open();
    const std::string& SlavePath() const;
    // The descriptor to poll for bytes from the downloader.
    int ReadFd() const;
    // Bytes from the downloader into buffer: their number, 0 when none waits, -1 on an error.
    long Read(std::span<uint8_t> buffer);
    // Writes all bytes, waiting up to timeoutMs for room; false when they could not all be written.
    bool Write(std::span<const uint8_t> bytes, int timeoutMs);
    // Waits up to timeoutMs until the downloader has read everything written.
    void Drain(int timeoutMs);
    // Lets the next downloader open the port although the last one opened it exclusively.
    void ReleaseExclusive();
    const std::string& Error() const;

  private:
    bool Fail(const std::string& what);

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string error_;
};

}  // namespace qxed::panelsim
