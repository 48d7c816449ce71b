DELETE FROM 
"clients.db" AS clients_db
WHERE 
 clients_db."select" IS NULL  AND /* c */ clients_db.ClientNo BETWEEN 1 AND 5 