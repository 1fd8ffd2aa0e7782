#include "drill/Articles.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "drill/Drill.h"

namespace drill {

namespace {

// Portuguese nouns take their article by gender and number. The ending tells
// the gender of most ("-a", "-ção", "-dade" feminine; "-o", "-ão", "-or"
// masculine); the nouns of the word data that go against their ending, or
// whose ending tells nothing ("parte", "mês"), are listed (Windows-1252). A
// noun neither listed nor told by its ending takes no article.
constexpr std::string_view Masculine[] = {
    "acorde", "alcance", "andar", "anel", "animal", "ar", "arame", "atacante", "autom\xF3vel", "azeite",
    "a\xE7\xFA" "car", "baile", "bar", "barbante", "beb\xEA", "bilhete", "bosque", "capim", "car\xE1ter",
    "celular", "chap\xE9u", "chefe", "cheque", "cinema", "clima", "cofre", "conde", "continente", "controle",
    "cume", "c\xE9u", "degrau", "dentes", "deslize", "dia", "diploma", "drinque", "dubl\xEA", "d\xF3lar",
    "empate", "estoque", "exame", "exemplar", "fim", "general", "golpe", "grau", "g\xE1s", "homem", "homens",
    "idioma", "im\xF3vel", "instante", "interesse", "jardim", "jornal", "lance", "lar", "leite", "len\xE7ol",
    "leste", "litoral", "local", "lote", "lugar", "mal", "mapa", "mar", "material", "mestre", "metal", "milhar",
    "monte", "m\xEAs", "naipe", "nariz", "nascente", "nen\xE9m", "nen\xEA", "nome", "norte", "numeral",
    "n\xEDvel", "oeste", "pai", "palpite", "papai", "papel", "par", "passe", "pau", "pa\xEDs", "peixe",
    "placar", "planeta", "plural", "pneu", "poder", "poema", "poste", "presente", "problema", "programa",
    "p\xE9", "p\xE9s", "quintal", "quociente", "rapaz", "recorde", "rei", "restante", "rev\xF3lver", "sal",
    "sangue", "ser", "sinal", "sistema", "sol", "som", "sul", "suporte", "telefonema", "tema", "teste", "time",
    "tom", "toque", "total", "trem", "vale", "volante", "\xEDm\xE3"};
constexpr std::string_view Feminine[] = {
    "arte", "ave", "base", "carne", "chance", "chave", "classe", "consoante", "cor", "corrente", "cruz", "dor",
    "equipe", "esp\xE9" "cie", "filial", "flor", "fonte", "foto", "frase", "frente", "gente", "irm\xE3", "lei",
    "luz", "manh\xE3", "ma\xE7\xE3", "mente", "metade", "morte", "mulher", "mulheres", "m\xE3" "e", "m\xE3o",
    "neve", "noite", "nuvem", "opini\xE3o", "ordem", "parede", "parte", "pele", "plan\xED" "cie", "pose",
    "quest\xE3o", "raiz", "raz\xE3o", "regi\xE3o", "reprise", "semente", "superf\xED" "cie", "s\xE9rie", "tribo",
    "vez", "vogal", "vontade", "voz", "\xE1rvore"};
constexpr std::string_view EitherGender[] = {
    "capital", "corte", "estudante", "final", "guia", "l\xED" "der", "s\xF3sia"};
constexpr std::string_view SingularInS[] = {"g\xE1s", "m\xEAs", "pa\xEDs"};

enum class Gender { Unknown, Masculine, Feminine, Either };

template<size_t N>
bool listed(const std::string_view (&list)[N], std::string_view noun)
{
    return std::find(std::begin(list), std::end(list), noun) != std::end(list);
}

Gender genderOf(std::string_view noun)
{
    if (listed(Masculine, noun))
        return Gender::Masculine;
    if (listed(Feminine, noun))
        return Gender::Feminine;
    if (listed(EitherGender, noun))
        return Gender::Either;
    for (std::string_view ending : {"\xE7\xE3o", "s\xE3o", "d\xE3o", "gem", "dade", "tude", "a"}) // ção, são, dão
        if (noun.ends_with(ending))
            return Gender::Feminine;
    for (std::string_view ending : {"\xE3o", "o", "or"}) // ão
        if (noun.ends_with(ending))
            return Gender::Masculine;
    return Gender::Unknown;
}

bool portugueseArticleAgrees(std::string_view article, std::string_view alternative)
{
    const std::string_view noun = alternative.substr(0, alternative.find_first_of("_-("));
    const bool plural = noun.ends_with("s") && !listed(SingularInS, noun);
    Gender gender = genderOf(noun);
    if (gender == Gender::Unknown && plural) // "olhos", "ações": the singular tells
        gender = noun.ends_with("\xF5" "es") ? genderOf(std::string(noun.substr(0, noun.size() - 3)) + "\xE3o")
                                              : genderOf(noun.substr(0, noun.size() - 1));
    const bool masculine = article == (plural ? "os" : "o") || (!plural && article == "um");
    const bool feminine = article == (plural ? "as" : "a") || (!plural && article == "uma");
    switch (gender) {
    case Gender::Masculine:
        return masculine;
    case Gender::Feminine:
        return feminine;
    case Gender::Either:
        return masculine || feminine;
    case Gender::Unknown:
        break;
    }
    return false;
}

// "an" before a vowel sound: "an answer", "an hour", "a use", "a one".
bool englishArticleAgrees(std::string_view article, std::string_view noun)
{
    if (article == "the")
        return true;
    bool vowel = !noun.empty() && std::string_view("aeiou").find(noun[0]) != std::string_view::npos;
    for (std::string_view start : {"uni", "use", "usu", "eu", "one", "once"})
        if (noun.starts_with(start))
            vowel = false;
    for (std::string_view start : {"hour", "honest", "honor", "honour", "heir"})
        if (noun.starts_with(start))
            vowel = true;
    return article == (vowel ? "an" : "a");
}

} // namespace

bool articleAgrees(Articles language, std::string_view article, std::string_view noun)
{
    switch (language) {
    case Articles::English:
        return englishArticleAgrees(article, noun);
    case Articles::Portuguese:
        return portugueseArticleAgrees(article, noun);
    case Articles::None:
        break;
    }
    return false;
}

} // namespace drill
