#include "prompts.h"

Prompts::~Prompts() = default;
