#include "link/sender_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "image/image_format.h"
#include "link/driver_file.h"
#include "link/frames.h"

namespace qxed {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kImageBase = image_format::kImageBase;

// Bytes that tell their positions apart, so a block sent twice or skipped shows.
Bytes Pattern(std::size_t length, int seed) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>(i * seed + i / 251);
    return bytes;
}

ImageSectorFlags Flagged(std::initializer_list<int> sectors) {
    ImageSectorFlags flags{};
    for (const int sector : sectors)
        flags[sector - 17] = true;
    return flags;
}

// Every request of a plan, in order.
std::vector<SenderRequest> Walk(SenderPlan& plan) {
    std::vector<SenderRequest> requests;
    while (std::optional<SenderRequest> next = plan.Next())
        requests.push_back(std::move(*next));
    return requests;
}

uint32_t AddressOf(const SenderRequest& request) {
    const Bytes& p = request.Payload;
    return uint32_t{p.at(1)} << 24 | p.at(2) << 16 | p.at(3) << 8 | p.at(4);
}

// The data of the write requests from the address on, checked to follow each other without a gap; empty
// when the first write in the range does not start there.
Bytes WrittenFrom(const std::vector<SenderRequest>& requests, uint32_t from, uint32_t to) {
    Bytes data;
    uint32_t expected = from;
    for (const SenderRequest& request : requests) {
        if (request.Kind != SenderRequestKind::Write) continue;
        const uint32_t address = AddressOf(request);
        if (address < from || address >= to) continue;
        EXPECT_EQ(address, expected);
        EXPECT_LE(request.Payload.size(), 5u + kWriteBlock);
        data.insert(data.end(), request.Payload.begin() + 5, request.Payload.end());
        expected = address + static_cast<uint32_t>(request.Payload.size() - 5);
    }
    return data;
}

TEST(SenderPlan, YieldsEveryRequestInOrderWithItsProgress) {
    struct Case {
        const char* What;
        std::size_t ImageLength;
        bool Upgrade;
        ImageSectorFlags Sectors;
        std::vector<int> Erased;
        // The requests before which steps passed without a request: index in the plan, steps.
        std::vector<std::pair<std::size_t, int>> Leads;
        int TotalProgress;  // the leads and the weights of all "OK" answers
    };
    std::vector<int> withDriver;
    for (int sector = 3; sector <= 16; ++sector)
        withDriver.push_back(sector);
    const Case cases[] = {
        // 13 erases and 416 blocks of the driver area, then its step's one; the first image block follows
        // the 15 unflagged sectors.
        {"driver area and three blocks", 300, true, {}, withDriver, {{429, 1}, {430, 15}}, 535},
        // Without upgrade the 13 driver sectors and the driver data step pass as one step each.
        {"three blocks", 300, false, {}, {16}, {{0, 14}, {1, 15}}, 41},
        {"one full block", 128, false, {}, {16}, {{0, 14}, {1, 15}}, 39},
        {"no image bytes: the marker at once", 0, false, {}, {16}, {{0, 14}, {1, 15}}, 38},
        // The plan erases the flagged sectors, whatever the image's length: 18..30 pass before 31.
        {"sectors 17 and 31", 300, false, Flagged({17, 31}), {16, 17, 31}, {{0, 14}, {2, 13}}, 53},
        {"every sector",
         65532,
         false,
         ImageSectors(65532),
         {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
         {{0, 14}},
         14 + 16 * 7 + 512 + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const Bytes image = Pattern(c.ImageLength, 13);
        const Bytes driver = Pattern(kDriverAreaLength, 7);
        SenderPlan plan(image, driver, c.Upgrade, c.Sectors);
        const std::vector<SenderRequest> requests = Walk(plan);
        ASSERT_GE(requests.size(), 3u);

        std::vector<int> erased;
        std::vector<std::pair<std::size_t, int>> leads;
        int total = 0;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            const SenderRequest& request = requests[i];
            if (request.Kind == SenderRequestKind::Erase) {
                EXPECT_EQ(request.Payload.size(), 2u);
                EXPECT_EQ(request.Payload[0], kEraseSector);
                EXPECT_EQ(request.Weight, 7);
                erased.push_back(request.Payload.at(1));
            } else {
                EXPECT_EQ(request.Weight, 1);
            }
            if (request.LeadProgress != 0) leads.emplace_back(i, request.LeadProgress);
            total += request.LeadProgress + request.Weight;
        }
        EXPECT_EQ(erased, c.Erased);
        EXPECT_EQ(leads, c.Leads);
        EXPECT_EQ(total, c.TotalProgress);

        EXPECT_EQ(WrittenFrom(requests, kDriverAreaAddress, kMarkerAddress), c.Upgrade ? driver : Bytes{});
        EXPECT_EQ(WrittenFrom(requests, kImageBase, 0x20000), image);
        const std::size_t blocks = (c.ImageLength + kWriteBlock - 1) / kWriteBlock;
        EXPECT_EQ(requests.size(), erased.size() + (c.Upgrade ? 416 : 0) + blocks + 2);

        const SenderRequest& marker = requests[requests.size() - 2];
        EXPECT_EQ(marker.Kind, SenderRequestKind::Marker);
        EXPECT_EQ(marker.Payload, WritePayload(kMarkerAddress, Bytes{0xA5, 0x5A, 0xA5, 0x5A}));
        EXPECT_EQ(requests.back().Kind, SenderRequestKind::Finish);
        EXPECT_EQ(requests.back().Payload, Bytes{kFinish});
        // Once the finish frame is out the plan is done, and stays so.
        EXPECT_FALSE(plan.Next());
        EXPECT_FALSE(plan.Next());
    }
}

TEST(SenderPlan, KeepsItsOwnCopyOfTheBytes) {
    Bytes image = Pattern(200, 3);
    const Bytes sent = image;
    SenderPlan plan(image, {}, false, {});
    image.assign(200, 0);
    EXPECT_EQ(WrittenFrom(Walk(plan), kImageBase, 0x20000), sent);
}

}  // namespace
}  // namespace qxed
