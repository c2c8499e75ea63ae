#include "replies/ReplyMessages.h"

namespace varnok::replies {

std::string* ReplyMessages::textAt(int index) {
    switch (index) {
        case 0:
            return &Greet;
        case 1:
            return &Death;
        case 2:
            return &Enter;
        case 3:
            return &limit;
        default:
            return nullptr;
    }
}

std::uint8_t* ReplyMessages::flagAt(int index) {
    switch (index) {
        case 0:
            return &GreetEn;
        case 1:
            return &DeathEn;
        case 2:
            return &EnterEn;
        case 3:
            return &Limiten;
        default:
            return nullptr;
    }
}

}  // namespace varnok::replies
