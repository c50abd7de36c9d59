#pragma once
// Checks a result file against the published JSON Schema (docs/result.schema.json) with
// RapidJSON's own validator, as any reader of the format would.
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/schema.h>
#include <rapidjson/stringbuffer.h>

#include <string>

namespace lurk_test {

// Empty when the text is valid UTF-8 JSON that the schema accepts; else what is wrong.
inline std::string ResultSchemaErrors(const std::string& schemaText, const std::string& json) {
    rapidjson::Document schemaDocument;
    if (schemaDocument.Parse(schemaText.c_str()).HasParseError()) return "the schema is not JSON";
    const rapidjson::SchemaDocument schema(schemaDocument);
    rapidjson::Document document;
    document.Parse<rapidjson::kParseValidateEncodingFlag>(json.c_str());
    if (document.HasParseError()) {
        return std::string("not UTF-8 JSON: ") + rapidjson::GetParseError_En(document.GetParseError()) + " at " +
               std::to_string(document.GetErrorOffset());
    }
    rapidjson::SchemaValidator validator(schema);
    if (document.Accept(validator)) return "";
    rapidjson::StringBuffer where, rule;
    validator.GetInvalidDocumentPointer().StringifyUriFragment(where);
    validator.GetInvalidSchemaPointer().StringifyUriFragment(rule);
    return std::string("invalid at ") + where.GetString() + ": schema " + rule.GetString() + " (" +
           validator.GetInvalidSchemaKeyword() + ")";
}

}  // namespace lurk_test
