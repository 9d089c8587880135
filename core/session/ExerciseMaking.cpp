// Making an exercise: the values drawn for each student, the measured points computed on the
// study's exact curve at those values with a seeded noise, the student files and the key.
#include "core/session/Exercise.h"

#include "core/chemistry/Conductivity.h"
#include "core/chemistry/Formulas.h"
#include "core/curves/Equivalence.h"
#include "core/curves/Fit.h"
#include "core/curves/FreeFit.h"
#include "core/numbers/NumberInput.h"
#include "core/session/ChartReading.h"
#include "core/session/ExerciseJson.h"
#include "core/session/FreeFit.h"
#include "core/session/FreeStudy.h"
#include "core/session/Overlays.h"
#include "core/session/Refresh.h"
#include "core/session/StudyFile.h"
#include "core/session/StudyNames.h"
#include "core/system/WholeFile.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace titralab {

using namespace exercisejson;
namespace fs = std::filesystem;

namespace {

// The drawing of values and noise. The standard library's distributions differ from one
// library to another; these transforms of the 64-bit Mersenne twister do not, so that a seed
// makes the same exercise everywhere.
constexpr double kPi = 3.14159265358979323846;

class Draw {
  public:
    explicit Draw(std::uint64_t seed) : m_engine(seed) {}
    // In [0, 1), 53 random bits.
    double unit() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    // Standard normal, by Box and Muller (the cosine branch only, so that each draw takes two
    // numbers of the engine, whatever came before).
    double normal() {
        const double u1 = 1 - unit(); // (0, 1]: its logarithm is finite
        const double u2 = unit();
        return std::sqrt(-2 * std::log(u1)) * std::cos(2 * kPi * u2);
    }

  private:
    std::mt19937_64 m_engine;
};

std::string hexOf(const unsigned char* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t k = 0; k < count; ++k) {
        out += digits[bytes[k] >> 4];
        out += digits[bytes[k] & 15];
    }
    return out;
}

// The secret of the checksums: SHA-256 of the whole description and of the study, so that
// making the exercise again gives the same files, while a student, who knows neither the
// students' list, the ranges, the tolerances nor the seed, cannot make it.
std::string secretOf(const ExerciseDescription& description, const std::string& studyText) {
    Json d;
    d["study"] = description.study;
    for (const ExerciseUnknown& u : description.unknowns)
        d["unknowns"].push_back(
            {u.name, u.range ? Json::array({u.range->first, u.range->second}) : Json()});
    d["students"] = description.students;
    d["volumes"] = {description.fromMl, description.toMl, description.stepMl};
    d["noise"] = {description.sigmaPH, description.sigmaVolumeMl};
    d["conductivity"] = description.conductivity;
    d["seed"] = description.seed;
    for (const ExerciseQuestion& q : description.questions)
        d["questions"].push_back({q.name, q.tolerance.value, q.tolerance.relative, q.points});
    for (ExerciseTool t : description.tools) d["tools"].push_back(static_cast<int>(t));
    d["title"] = description.title;
    d["text"] = description.text;
    const std::string message = "TitraLab exercise\n" +
                                d.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n" +
                                studyText;
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    EVP_Digest(message.data(), message.size(), digest.data(), &length, EVP_sha256(), nullptr);
    return hexOf(digest.data(), length);
}

std::string exerciseIdentifier(const std::string& secretHex) {
    std::vector<unsigned char> secret;
    for (std::size_t k = 0; k + 1 < secretHex.size(); k += 2)
        secret.push_back(
            static_cast<unsigned char>(std::stoi(secretHex.substr(k, 2), nullptr, 16)));
    const std::string label = "exercise identifier";
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    HMAC(EVP_sha256(), secret.data(), static_cast<int>(secret.size()),
         reinterpret_cast<const unsigned char*>(label.data()), label.size(), digest.data(),
         &length);
    return hexOf(digest.data(), 8);
}

// Two decimals with the separator, whatever the process locale.
std::string twoDecimals(double x, char separator) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 2);
    std::string text(buffer, end.ptr);
    std::replace(text.begin(), text.end(), '.', separator);
    return text == "-0" + std::string(1, separator) + "00" ? text.substr(1) : text;
}

// The conductivity (S/m) of the beaker at `volume` (unit of vol1) and the displayed pH there,
// every species counted.
double conductivityAt(const ChemicalState& s, double volume, double pH) {
    const double h = workingConcFromPH(s, pH);
    std::array<double, 4> species{};
    if (s.study == Study::TwoMonoTitration) {
        const double total = s.vol1 + s.vol2 + volume;
        const double c1 = s.conc1 * s.vol1 / total, c2 = s.conc2 * s.vol2 / total;
        species = {speciesConc(s, 0, h, c1), speciesConc(s, 1, h, c1), speciesConc2(s, 0, h, c2),
                   speciesConc2(s, 1, h, c2)};
    } else {
        const double c = s.conc1 * s.vol1 / (s.vol1 + volume);
        for (int k = 0; k < 4; ++k) species[static_cast<std::size_t>(k)] = speciesConc(s, k, h, c);
    }
    return conductivity(s, h, volume, species, {true, true, true, true}, true);
}

double fourDigits(double x) {
    if (!(x > 0) || !std::isfinite(x)) return x;
    const double scale = std::pow(10.0, 3 - std::floor(std::log10(x)));
    return std::round(x * scale) / scale;
}

struct Problem {
    std::string text;
};

bool isFree(const Simulation& sim) {
    return sim.panel.study == Study::FreeSolutions;
}

// The equivalences of the member's study: volumes (mL) and the pH solved there.
std::vector<std::pair<double, double>> equivalencesOf(const Simulation& member) {
    std::vector<std::pair<double, double>> out;
    if (isFree(member)) {
        for (const FreeEquivalence& e : member.freeStudy.result.equivalences.points)
            out.emplace_back(e.equivalence.volume * 1000, e.equivalence.pH);
        return out;
    }
    for (double volume : equivalenceVolumes(member.state)) {
        const double drawn = volume * member.state.volumeFactor;
        const std::optional<ExactPoint> p = exactPointAt(member, drawn);
        out.emplace_back(drawn, p ? p->pH : NAN);
    }
    return out;
}

// The expected value of an equivalence question (VEk in mL, pHEk).
double equivalenceAnswer(const std::vector<std::pair<double, double>>& equivalences,
                         const std::string& name, std::size_t question, Language language) {
    const int k = name.back() - '0';
    if (k < 1 || static_cast<std::size_t>(k) > equivalences.size() ||
        !std::isfinite(equivalences[static_cast<std::size_t>(k - 1)].second))
        throw Problem{texts::badValue("questions." + std::to_string(question + 1) + ".name",
                                      texts::kExpectedQuestionName.in(language), language)};
    const auto& [volume, pH] = equivalences[static_cast<std::size_t>(k - 1)];
    return name.rfind("VE", 0) == 0 ? volume : pH;
}

// The value of each unknown for one student: drawn in its range, else the study's.
std::vector<double> drawValues(const ExerciseDescription& description, const Simulation& sim,
                               Draw& draw) {
    std::vector<double> values;
    for (const ExerciseUnknown& u : description.unknowns) {
        if (u.range) {
            values.push_back(draw.uniform(u.range->first, u.range->second));
        } else if (isFree(sim)) {
            values.push_back(freeRowValueIn(sim, *freeRowValueFromName(u.name)).value_or(NAN));
        } else {
            const int field = fitValueField(sim.panel.study, *fitValueFromName(u.name));
            values.push_back(ParseBoundedNumber(sim.panel.text[field], -1e300, 1e300).value);
        }
    }
    return values;
}

// The study computed at the student's values, as a family member is.
Simulation memberAt(const ExerciseDescription& description, const Simulation& sim,
                    const std::vector<double>& values) {
    const Language language = sim.language;
    RecordingNotifier notifier;
    if (isFree(sim)) {
        Simulation member = sim;
        member.freeStudy.given.clear();
        for (std::size_t k = 0; k < values.size(); ++k)
            member.freeStudy.given.emplace_back(*freeRowValueFromName(description.unknowns[k].name),
                                                values[k]);
        RefreshSimulation(member, notifier);
        if (!member.freeStudy.result.titration || !member.freeStudy.result.errors.empty())
            throw Problem{texts::exerciseValueRefused(description.unknowns.front().name, language)};
        return member;
    }
    FieldValues given;
    for (std::size_t k = 0; k < values.size(); ++k)
        given.emplace_back(
            fitValueField(sim.panel.study, *fitValueFromName(description.unknowns[k].name)),
            values[k]);
    Simulation member = computedMember(sim, given, notifier);
    for (std::size_t k = 0; k < given.size(); ++k)
        if (std::find(member.refusedFields.begin(), member.refusedFields.end(), given[k].first) !=
            member.refusedFields.end())
            throw Problem{texts::exerciseValueRefused(description.unknowns[k].name, language)};
    return member;
}

std::vector<std::string> measuredLines(const ExerciseDescription& description,
                                       const Simulation& member, Draw& draw, char separator,
                                       std::vector<std::pair<double, double>>& conductivity) {
    std::vector<std::string> lines{"V (mL)\tpH"};
    const auto count = static_cast<std::size_t>(std::floor(
                           (description.toMl - description.fromMl) / description.stepMl + 1e-9)) +
                       1;
    for (std::size_t i = 0; i < count; ++i) {
        const double read = description.fromMl + static_cast<double>(i) * description.stepMl; // mL
        // The volume truly poured differs from the one read by the burette's noise.
        const double poured = std::max(0.0, read + description.sigmaVolumeMl * draw.normal());
        const std::optional<ExactPoint> p = exactPointAt(member, poured);
        const double noise = description.sigmaPH * draw.normal();
        if (!p || !std::isfinite(p->pH))
            throw Problem{texts::kExerciseStudyNotTitration.in(member.language)};
        const double pH = std::clamp(p->pH + noise, 0.0, 14.0);
        lines.push_back(twoDecimals(read, separator) + '\t' + twoDecimals(pH, separator));
        if (!description.conductivity) continue;
        const double sigma = isFree(member) ? p->conductivity.value_or(NAN)
                                            : conductivityAt(member.state, p->volume, p->pH);
        if (!std::isfinite(sigma))
            throw Problem{texts::kExerciseNoConductivity.in(member.language)};
        conductivity.emplace_back(read / 1000, fourDigits(sigma));
    }
    return lines;
}

// The unknowns left blank in the student's study, and their names in the exercise section:
// a panel field, or in the free study the row's concentration (a pKa: the whole row, whose
// name and resolved system would tell it).
void blankUnknowns(const ExerciseDescription& description, const Simulation& sim,
                   StudyRecord& student, ExerciseSection& section) {
    if (isFree(sim)) {
        FreeStudyInputs inputs = sim.freeStudy.inputs;
        for (const ExerciseUnknown& u : description.unknowns) {
            const FreeRowValue v = *freeRowValueFromName(u.name);
            FreeRow& row = inputs.rows(v.burette ? FreeSide::Burette : FreeSide::Beaker)
                               .at(static_cast<std::size_t>(v.row));
            if (v.pK == 0) {
                row.concentration.clear();
            } else {
                row.what.clear();
                row.formula.clear();
                row.resolved.clear();
            }
            section.locked.push_back(u.name);
        }
        student.sections[kSolutionSection] = solutionSectionText(inputs);
        return;
    }
    for (const ExerciseUnknown& u : description.unknowns) {
        const Field f =
            static_cast<Field>(fitValueField(sim.panel.study, *fitValueFromName(u.name)));
        student.fields[slot(f)].clear();
        section.locked.push_back(fieldKey(f));
    }
}

// The student file's name: the student's, or the description's for the whole class.
std::string studentFileName(const std::string& student, const std::string& descriptionPath) {
    const std::string stem = student.empty() ? fs::path(descriptionPath).stem().string() : student;
    return stem + kStudyExtension;
}

bool samePath(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    return fs::weakly_canonical(a, ec1) == fs::weakly_canonical(b, ec2) && !ec1 && !ec2;
}

// The study of the description, as a record and as a simulation.
struct OpenedStudy {
    StudyRecord record;
    Simulation sim;
    std::string path;
};

// The names of the values the study has, for a refusal.
std::string valueNames(const Simulation& sim) {
    std::string names;
    if (isFree(sim)) {
        for (const FreeRowValue& v : freeRowValues(sim))
            names += (names.empty() ? "" : ", ") + freeRowValueName(v);
    } else {
        for (FitValue f : fittableValues(sim.panel))
            names += (names.empty() ? "" : ", ") + std::string(fitValueName(f));
    }
    return names;
}

bool studyHasValue(const Simulation& sim, const std::string& name) {
    if (isFree(sim)) {
        const std::optional<FreeRowValue> v = freeRowValueFromName(name);
        const std::vector<FreeRowValue> values = freeRowValues(sim);
        return v && std::find(values.begin(), values.end(), *v) != values.end();
    }
    const std::optional<FitValue> v = fitValueFromName(name);
    const std::vector<FitValue> values = fittableValues(sim.panel);
    return v && std::find(values.begin(), values.end(), *v) != values.end();
}

OpenedStudy openStudy(const ExerciseDescription& description, const std::string& descriptionPath,
                      Language language) {
    OpenedStudy opened;
    opened.path = (fs::path(descriptionPath).parent_path() / description.study).string();
    const StudyOpening opening = openStudyFile(opened.path, language);
    if (!opening.record) throw Problem{opening.error};
    opened.record = *opening.record;
    setLanguage(opened.sim, language);
    PanelView view = PanelView::atDesign(language);
    applyStudy(opened.record, opened.sim, view);
    const Study study = opened.sim.panel.study;
    if (study != Study::TitrationVsVolume && study != Study::TwoMonoTitration &&
        study != Study::FreeSolutions)
        throw Problem{texts::kExerciseStudyNotTitration.in(language)};
    RecordingNotifier notifier;
    RefreshSimulation(opened.sim, notifier);
    for (std::size_t k = 0; k < description.unknowns.size(); ++k)
        if (!studyHasValue(opened.sim, description.unknowns[k].name))
            throw Problem{texts::badValue("unknowns." + std::to_string(k + 1) + ".name",
                                          texts::expectedFitName(valueNames(opened.sim), language),
                                          language)};
    return opened;
}

// The expected value of each question for the member's values.
std::vector<std::pair<std::string, double>> expectedValues(const ExerciseDescription& description,
                                                           const Simulation& member,
                                                           const std::vector<double>& values) {
    std::vector<std::pair<std::string, double>> expected;
    const auto equivalences = equivalencesOf(member);
    for (std::size_t q = 0; q < description.questions.size(); ++q) {
        const std::string& name = description.questions[q].name;
        const auto unknown = std::find_if(description.unknowns.begin(), description.unknowns.end(),
                                          [&](const ExerciseUnknown& u) { return u.name == name; });
        expected.emplace_back(
            name, unknown != description.unknowns.end()
                      ? values[static_cast<std::size_t>(unknown - description.unknowns.begin())]
                      : equivalenceAnswer(equivalences, name, q, member.language));
    }
    return expected;
}

// A student's study: the teacher's, with nothing that holds the values drawn (the unknowns
// blank, the kept curves and families, computed from values, gone), the points measured on the
// member's curve, and the exercise section with its checksum.
StudyRecord studentStudy(const ExerciseDescription& description, const OpenedStudy& opened,
                         const Simulation& member, Draw& draw, const ExerciseKey& key,
                         const std::string& identifier) {
    StudyRecord student = opened.record;
    ExerciseSection section;
    blankUnknowns(description, opened.sim, student, section);
    student.frozen.clear();
    student.sections.erase(studyfile::kFamilySection);
    student.measuredConductivity.clear();
    const char separator = opened.record.decimalComma ? ',' : '.';
    student.pastedLines =
        measuredLines(description, member, draw, separator, student.measuredConductivity);
    student.pasteOrder = true;
    student.pastedInMillilitres = true;
    student.ticked[8] = true; // the measured points' box
    section.exercise = key.exercise;
    section.identifier = identifier;
    section.title = description.title;
    section.text = description.text;
    for (const ExerciseQuestion& q : description.questions)
        section.questions.emplace_back(q.name, q.points);
    section.tools = description.tools;
    section.checksum = measuredPointsChecksum(key.secret, section.exercise, identifier, student);
    student.sections[kExerciseSection] = exerciseSectionText(section);
    return student;
}

} // namespace

MadeExercise makeExercise(const ExerciseDescription& description,
                          const std::string& descriptionPath, Language language) {
    MadeExercise made;
    try {
        const OpenedStudy opened = openStudy(description, descriptionPath, language);
        const Simulation& sim = opened.sim;
        const fs::path out = fs::path(descriptionPath).parent_path() / description.out;
        const std::string secret = secretOf(description, writeStudyText(opened.record));
        made.key.exercise = exerciseIdentifier(secret);
        made.key.secret = secret;
        made.key.title = description.title;
        made.key.questions = description.questions;
        made.keyPath = (out / (fs::path(descriptionPath).stem().string() + kExerciseKeyExtension))
                           .lexically_normal()
                           .string();

        std::vector<std::string> students = description.students;
        if (!description.hasRange()) students = {std::string()};
        Draw draw(description.seed);
        for (std::size_t n = 0; n < students.size(); ++n) {
            const std::vector<double> values = drawValues(description, sim, draw);
            const Simulation member = memberAt(description, sim, values);
            if (description.conductivity && !isFree(member) && !member.state.conductivityAvailable)
                throw Problem{texts::kExerciseNoConductivity.in(language)};

            ExerciseKeyFile keyed;
            keyed.file = studentFileName(students[n], descriptionPath);
            keyed.identifier = made.key.exercise + "-" + std::to_string(n + 1);
            keyed.student = students[n];
            keyed.values = expectedValues(description, member, values);
            StudyRecord student =
                studentStudy(description, opened, member, draw, made.key, keyed.identifier);

            const std::string path = (out / keyed.file).lexically_normal().string();
            if (samePath(path, opened.path))
                throw Problem{texts::kExerciseOverwritesStudy.in(language)};
            made.studentFiles.emplace_back(path, std::move(student));
            made.key.files.push_back(std::move(keyed));
        }
        if (samePath(made.keyPath, opened.path))
            throw Problem{texts::kExerciseOverwritesStudy.in(language)};
    } catch (const Problem& p) {
        made = MadeExercise{};
        made.problem = p.text;
    } catch (const Refusal& r) {
        made = MadeExercise{};
        made.problem = r.problem;
    }
    return made;
}

ExerciseWriting writeExercise(const MadeExercise& made, Language language) {
    ExerciseWriting writing;
    std::error_code ec;
    fs::create_directories(fs::path(made.keyPath).parent_path(), ec);
    for (const auto& [path, record] : made.studentFiles) {
        const std::string failure = saveStudyFile(path, record, language);
        if (!failure.empty()) {
            writing.problem = failure;
            return writing;
        }
        writing.written.push_back(path);
    }
    const WholeFileResult key = writeWholeFile(made.keyPath, exerciseKeyText(made.key), language);
    if (!key.ok()) {
        writing.problem = key.error;
        return writing;
    }
    writing.written.push_back(made.keyPath);
    return writing;
}

} // namespace titralab
