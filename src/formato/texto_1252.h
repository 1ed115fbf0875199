#pragma once
// Conversão entre UTF-8 (como os textos estão escritos no código-fonte) e
// Windows-1252 (como o núcleo os guarda e grava nos arquivos).

#include <string>
#include <string_view>

namespace vendrilo::verificacao {

// UTF-8 → Windows-1252; um caractere sem lugar na página de código vira '?'.
std::string Para1252(std::string_view utf8);

// Windows-1252 → UTF-8; os cinco bytes sem caractere (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) viram U+FFFD, para que nada se perca silenciosamente.
std::string De1252(std::string_view cp1252);

} // namespace vendrilo::verificacao
