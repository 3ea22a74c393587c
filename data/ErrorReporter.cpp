#include "data/ErrorReporter.h"

ErrorReporter::~ErrorReporter() = default;
