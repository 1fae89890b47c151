#include <new>

#include "files/body_readers.h"
#include "files/file_element_records.h"
#include "files/project_file.h"
#include "files/project_records.h"

namespace qxed {

namespace records {

namespace {

// The body reader of each file version; a version without a row is not readable.
struct VersionReader {
    int32_t First;
    int32_t Last;
    BodyReader Read;
};

void ReadCurrentVersion(ByteReader& in, Project& project, int32_t) {
    ReadCurrentBody(in, project);
}

constexpr VersionReader kVersionReaders[] = {
    {1, 27, ReadOlderBody},
    {28, 29, ReadCurrentVersion},
};

}  // namespace

BodyReader BodyReaderOf(int32_t version) {
    for (const VersionReader& row : kVersionReaders) {
        if (version >= row.First && version <= row.Last) return row.Read;
    }
    return nullptr;
}

}  // namespace records

namespace {

// Sets the model new projects get while a file is read, and puts the previous one back afterwards.
class DefaultModelDuringLoad {
  public:
    DefaultModelDuringLoad(Project& project, int model)
        : project_(project), saved_(project.Defaults.DefaultModel) {
        project_.Defaults.DefaultModel = model;
    }
    ~DefaultModelDuringLoad() { project_.Defaults.DefaultModel = saved_; }
    DefaultModelDuringLoad(const DefaultModelDuringLoad&) = delete;
    DefaultModelDuringLoad& operator=(const DefaultModelDuringLoad&) = delete;

  private:
    Project& project_;
    int saved_;
};

LoadStatus StatusOfVersion(int32_t version) {
    if (version <= 0) return LoadStatus::NotReadable;
    if (version > kNewestReadableVersion) return LoadStatus::TooNew;
    return LoadStatus::Ok;
}

}  // namespace

bool HasVersionReader(int32_t version) {
    return records::BodyReaderOf(version) != nullptr;
}

LoadOutcome ReadProjectHeader(std::span<const uint8_t> bytes) {
    LoadOutcome outcome;
    ByteReader in(bytes);
    try {
        outcome.Header = records::ReadHeader(in);
    } catch (const FormatError&) {
        outcome.Status = LoadStatus::FormatWrong;
        return outcome;
    }
    outcome.Status = StatusOfVersion(outcome.Header.Version);
    return outcome;
}

LoadOutcome ReadProjectBytes(std::span<const uint8_t> bytes, Project& project) {
    LoadOutcome outcome;
    ByteReader in(bytes);
    try {
        outcome.Header = records::ReadHeader(in);
        outcome.Status = StatusOfVersion(outcome.Header.Version);
        if (outcome.Status != LoadStatus::Ok) return outcome;

        const records::BodyReader read = records::BodyReaderOf(outcome.Header.Version);
        if (read == nullptr) throw FormatError("no reader for this version");
        // A version that stores no model leaves the model of a reset project, which is then 0.
        DefaultModelDuringLoad model(project, 0);
        read(in, project, outcome.Header.Version);
        records::FinishLoading(project);
    } catch (const FormatError& error) {
        outcome.Status = LoadStatus::FormatWrong;
        // The version is known once the header has been read.
        const std::string version =
            outcome.Header.Version > 0 ? "version " + std::to_string(outcome.Header.Version) + " file, " : "";
        outcome.Reason = std::string(error.what()) + " (" + version + "reading stopped at byte " +
                         std::to_string(in.Position()) + " of " + std::to_string(bytes.size()) + ")";
    } catch (const std::bad_alloc&) {
        outcome.Reason = "more elements than memory holds";
        // Counts are checked against the bytes left, but a file can still describe more elements than
        // memory holds; such a file is refused like any other that cannot be read.
        outcome.Status = LoadStatus::FormatWrong;
    }
    return outcome;
}

}  // namespace qxed
