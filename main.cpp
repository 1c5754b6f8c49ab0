#include "dialogue/dialogue.h"

int main() {
    return run_dialogue();
}
