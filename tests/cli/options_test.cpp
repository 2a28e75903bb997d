#include "OptionsLigneCommande.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvan::cli {
namespace {

TEST(AnalyserArguments, Defaults) {
    const Commande c = analyserArguments({"1000"});
    const auto* d = std::get_if<Demande>(&c);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->NumFiltre, 0);
    EXPECT_EQ(d->NumOrdre, 2);
    EXPECT_EQ(d->type, TypeFiltre::PasseBas);
    EXPECT_FALSE(d->separateur.has_value());
    EXPECT_FALSE(d->fichierSpice.has_value());
    EXPECT_EQ(d->texteFrequence, "1000");
}

TEST(AnalyserArguments, EveryOptionInBothSpellings) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--filtre", "chebyshev-2", "--ordre", "7", "--type", "passe-haut", "--decimal", ",",
              "1 000"},
             {"--filtre=chebyshev-2", "--ordre=7", "--type=passe-haut", "--decimal=,", "--",
              "1 000"},
         }) {
        const Commande c = analyserArguments(args);
        const auto* d = std::get_if<Demande>(&c);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->NumFiltre, 4);
        EXPECT_EQ(d->NumOrdre, 7);
        EXPECT_EQ(d->type, TypeFiltre::PasseHaut);
        EXPECT_EQ(d->separateur, ",");
        EXPECT_EQ(d->texteFrequence, "1 000");
    }
}

TEST(AnalyserArguments, SpiceFileInBothSpellingsAndStandardOutput) {
    const struct {
        std::vector<std::string> arguments;
        const char* fichier;
    } cas[] = {
        {{"--spice", "filtre.cir", "1000"}, "filtre.cir"},
        {{"--spice=filtre.cir", "1000"}, "filtre.cir"},
        {{"1000", "--spice", "-"}, "-"},
        {{"--spice=-", "1000"}, "-"},
        {{"--spice", "a.cir", "--spice", "b.cir", "1000"}, "b.cir"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const Commande commande = analyserArguments(c.arguments);
        const auto* d = std::get_if<Demande>(&commande);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->fichierSpice, c.fichier);
        EXPECT_EQ(d->texteFrequence, "1000");
    }
}

TEST(AnalyserArguments, NegativeFrequencyAndDoubleDash) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-50"}, {"--", "-50"}, {"--type", "passe-haut", "-50"}}) {
        const Commande c = analyserArguments(args);
        const auto* d = std::get_if<Demande>(&c);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->texteFrequence, "-50");
    }
    const Commande c = analyserArguments({"--", "--help"});
    ASSERT_NE(std::get_if<Demande>(&c), nullptr);
}

TEST(AnalyserArguments, UsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"1000", "2000"},
             {"--filtre", "tchebychev", "1000"},
             {"--ordre", "8", "1000"},
             {"--ordre", "1", "1000"},
             {"--ordre", "22", "1000"},
             {"--type", "passe-bande", "1000"},
             {"--decimal", ";", "1000"},
             {"--frequence", "1000"},
             {"1000", "--ordre"},
             {"1000", "--spice"},
             {"--spice=", "1000"},
             {"--spice", "1000"},
         }) {
        const Commande c = analyserArguments(args);
        EXPECT_NE(std::get_if<ErreurUsage>(&c), nullptr) << testing::PrintToString(args);
    }
}

TEST(AnalyserArguments, HelpAndVersion) {
    EXPECT_TRUE(std::holds_alternative<AfficherAide>(analyserArguments({"--help"})));
    EXPECT_TRUE(std::holds_alternative<AfficherAide>(analyserArguments({"1000", "-h"})));
    EXPECT_TRUE(std::holds_alternative<AfficherVersion>(analyserArguments({"--version"})));
}

} // namespace
} // namespace quorvan::cli
