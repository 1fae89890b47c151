#include "text/builtin_lists.h"

#include <iterator>

namespace qxed {

namespace {

constexpr std::string_view kScreenSaveList[] = {
    "从不",      "1 分钟后",  "2 分钟后",  "3 分钟后",  "5 分钟后", "10 分钟后",
    "15 分钟后", "20 分钟后", "30 分钟后", "45 分钟后", "1 小时后",
};

// Four positions per row: 0..3, 4..7, ...
constexpr std::string_view kPlcTypeNames[] = {
    "ModbusRTU",  "ModbusSlave", "Halden_M",       "Halden_XD",
    "Halden_K",   "Mitsubishi",  "Mitsubishi_FX3", "Mitsubishi_FX_BD",
    "Koyo",       "Siemens",     "Omron",          "Omron_CP1H",
    "Schneider",  "Matsushita",  "Hitachi",        "Toshiba",
    "Sharp",      "AB",          "Delta",          "YongHong",
    "LG Program", "LG Modbus",   "LG CNet",        "Keyence",
    "Vigor",      "Vigor_S",     "Adam",           "Saia",
    "Opto22",     "Emerson",     "Crouzet",        "Holip",
    "TAIAN",      "Compax3",     "HOLLiAS",        "IDEC",
    "OEMax",      "Delixi",      "IMSServo",       "Free",
};

static_assert(std::size(kScreenSaveList) == ScreenSaveDelayCount);
static_assert(std::size(kPlcTypeNames) == PlcTypeListLength);

}  // namespace

std::span<const std::string_view> BuiltinScreenSaveList() {
    return kScreenSaveList;
}

std::span<const std::string_view> BuiltinPlcTypeNames() {
    return kPlcTypeNames;
}

}  // namespace qxed
