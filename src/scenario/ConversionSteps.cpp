#include "scenario/ConversionSteps.h"

#include <istream>
#include <ostream>

#include "scenario/StreamCopy.h"

void runStep(const Step& step, std::istream& input, std::ostream& output) {
    switch (step.kind) {
        case StepKind::Copy: copyBlock(input, output, step.count, step.wide); break;
        case StepKind::Zeros: writeZeros(output, step.count, step.wide); break;
        case StepKind::Literal: output.write(reinterpret_cast<const char*>(step.literal.data()), step.count); break;
        case StepKind::Skip: input.ignore(step.count); break;
        case StepKind::AdjustCityByte: {
            // A city byte the input no longer holds is written as zero, like any missing byte.
            const auto read = input.get();
            const auto value = read == std::istream::traits_type::eof() ? 0 : read;
            output.put(static_cast<char>(adjustedCityByte(static_cast<std::uint8_t>(value))));
            break;
        }
        case StepKind::Nothing: break;
    }
}
