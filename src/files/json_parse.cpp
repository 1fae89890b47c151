#include "files/json_parse.h"

#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace qxed::json_form {

namespace {

// Builds the value tree from the parser's events. The parser itself keeps its nesting on a heap stack, so
// refusing too deep a value here keeps every later (recursive) walk of the tree within kMaxNesting levels.
class TreeBuilder {
  public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    bool null() { return Put(Json(nullptr)); }
    bool boolean(bool value) { return Put(Json(value)); }
    bool number_integer(number_integer_t value) { return Put(Json(value)); }
    bool number_unsigned(number_unsigned_t value) { return Put(Json(value)); }
    bool number_float(number_float_t value, const string_t&) { return Put(Json(value)); }
    bool string(string_t& value) { return Put(Json(std::move(value))); }
    bool binary(binary_t& value) { return Put(Json::binary(std::move(value))); }

    bool start_object(std::size_t) { return Open(Json::object()); }
    bool start_array(std::size_t) { return Open(Json::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(string_t& name) {
        Level& level = open_.back();
        if (!level.Keys.insert(name).second) {
            error_ = FormError{MemberPath(PathOfOpen(open_.size() - 1), name),
                               "this key appears twice in one object"};
            return false;
        }
        level.Key = std::move(name);
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
        error_ = FormError{"", WithoutExceptionId(error.what())};
        return false;
    }

    // The tree, or the error that stopped the parse.
    Json Result(bool parsed) {
        if (error_) throw *error_;
        if (!parsed) throw FormError{"", "the text is not complete JSON"};
        return std::move(root_);
    }

  private:
    struct Level {
        Json* Value;
        std::string Key;                       // of the member being read, in an object
        std::unordered_set<std::string> Keys;  // every key of the object so far
    };

    // Where the next value goes: the root, the end of an array, or the member named by the last key. A member
    // is appended without looking it up, since its key is known to be new.
    Json* Slot() {
        if (open_.empty()) return &root_;
        Level& level = open_.back();
        if (level.Value->is_array()) return &level.Value->emplace_back();
        auto& members = level.Value->get_ref<Json::object_t&>();
        members.Container::emplace_back(level.Key, Json());
        return &members.back().second;
    }

    bool Put(Json value) {
        *Slot() = std::move(value);
        return true;
    }

    bool Open(Json container) {
        if (open_.size() >= static_cast<std::size_t>(kMaxNesting)) {
            error_ = FormError{PathOfNext(), "nested deeper than " + std::to_string(kMaxNesting) + " levels"};
            return false;
        }
        Json* slot = Slot();
        *slot = std::move(container);
        open_.push_back(Level{slot, {}, {}});
        return true;
    }

    bool Close() {
        open_.pop_back();
        return true;
    }

    // The path of the open container at `depth` (0: the outermost), whose parents hold it as their last
    // entry.
    std::string PathOfOpen(std::size_t depth) const {
        std::string path;
        for (std::size_t i = 0; i < depth; ++i)
            path = Step(path, open_[i], 1);
        return path;
    }
    // The path of the value about to be read: one entry past the last of the innermost container.
    std::string PathOfNext() const {
        if (open_.empty()) return "";
        return Step(PathOfOpen(open_.size() - 1), open_.back(), 0);
    }
    static std::string Step(const std::string& path, const Level& level, std::size_t entriesAfter) {
        if (level.Value->is_array()) return IndexPath(path, level.Value->size() - entriesAfter);
        return MemberPath(path, level.Key);
    }

    Json root_;
    std::vector<Level> open_;
    std::optional<FormError> error_;
};

}  // namespace

std::string WithoutExceptionId(const std::string& message) {
    if (!message.starts_with("[json.exception.")) return message;
    const size_t end = message.find("] ");
    return end == std::string::npos ? message : message.substr(end + 2);
}

Json ParseText(const std::string& text) {
    TreeBuilder builder;
    const bool parsed = Json::sax_parse(text, &builder);
    return builder.Result(parsed);
}

}  // namespace qxed::json_form
