#pragma once

// A visitor made of lambdas, one per alternative of a variant such as an element's kind:
// std::visit(Overloaded{[](const TextElement&) {...}, ...}, element.Kind).
namespace qxed {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

// Spelled out for compilers that do not yet deduce the handlers of an aggregate by themselves.
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace qxed
